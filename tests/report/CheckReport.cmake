# The season report in a real browser: karven-sim plays a season into the history and part of the
# next, writes the results, and headless Chromium opens the report. It must draw every table and
# chart, fetch nothing, log nothing to its console and print on A4; a screenshot is kept.
#
#   cmake -DSIM=karven-sim -DCHROMIUM=chromium -DWORK=dir -DSCREENS=dir -P CheckReport.cmake
# Prints "SKIPPED: ..." (which ctest takes for a skip) when Chromium is not installed.
if(NOT CHROMIUM OR NOT EXISTS "${CHROMIUM}")
  message("SKIPPED: chromium is not installed (scripts/install-deps installs it)")
  return()
endif()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
  set(rc "${rc}" PARENT_SCOPE)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/out" "${SCREENS}")
run(${SIM} --seasons 1 --seed 7 --quiet --save ${WORK}/closed.krv)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "karven-sim --seasons 1: exit ${rc}\n${err}")
endif()
run(${SIM} --season ${WORK}/closed.krv --gps 6 --seed 7 --quiet --export-results ${WORK}/out)
if(NOT rc EQUAL 0 OR NOT EXISTS "${WORK}/out/season-report.html")
  message(FATAL_ERROR "karven-sim --export-results: exit ${rc}\n${err}")
endif()

# Root in a container needs no sandbox; nothing may reach the network.
set(browser ${CHROMIUM} --headless --no-sandbox --disable-gpu --disable-quic --no-first-run
  --disable-background-networking --disable-component-update --disable-sync --disable-extensions
  --user-data-dir=${WORK}/profile --enable-logging=stderr --v=0 --virtual-time-budget=3000)

# A page of the test's own looks at the report as the browser laid it out, and tells on the console.
file(WRITE "${WORK}/out/check.html" [=[<!DOCTYPE html><meta charset="utf-8"><title>check</title>
<iframe id="report" src="season-report.html" style="width:1200px;height:1000px"></iframe>
<script>
document.getElementById("report").addEventListener("load", () => {
  const frame = document.getElementById("report"), doc = frame.contentDocument;
  const r = {sections: 0, tables: 0, undrawnTables: 0, rows: 0, charts: 0, lines: 0, drawnLines: 0,
             swatches: 0, resources: -1, problems: []};
  try {
    r.sections = doc.querySelectorAll("section > h2").length;
    for (const t of doc.querySelectorAll("table")) {
      r.tables++;
      r.rows += t.rows.length;
      const box = t.getBoundingClientRect();
      if (box.width < 20 || box.height < 10) r.undrawnTables++;
    }
    for (const svg of doc.querySelectorAll("svg.chart")) {
      r.charts++;
      const box = svg.getBoundingClientRect();
      if (box.width < 300 || box.height < 100) r.problems.push("a chart drawn " + box.width + "x" + box.height);
    }
    for (const line of doc.querySelectorAll("svg.chart polyline")) {
      r.lines++;
      if (line.getTotalLength() > 20) r.drawnLines++;
    }
    for (const sw of doc.querySelectorAll("svg.sw")) if (sw.getBoundingClientRect().width > 0) r.swatches++;
    r.resources = frame.contentWindow.performance.getEntriesByType("resource").length;
  } catch (e) {
    r.problems.push(String(e));
  }
  console.log("REPORT " + JSON.stringify(r));
});
</script>
]=])
run(${browser} --allow-file-access-from-files --dump-dom file://${WORK}/out/check.html)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "chromium --dump-dom: exit ${rc}\n${err}")
endif()
string(REGEX MATCH "\"REPORT ({[^\n]*})\", source" found "${err}")
if(NOT found)
  message(FATAL_ERROR "the check page did not report; the browser said:\n${err}")
endif()
set(report "${CMAKE_MATCH_1}")
# Any other console message is the report's own (or a failure of the check page).
string(REGEX MATCHALL "CONSOLE[^\n]*" console "${err}")
foreach(line ${console})
  if(NOT line MATCHES "\"REPORT {")
    message(FATAL_ERROR "the browser's console: ${line}")
  endif()
endforeach()
message(STATUS "report as laid out: ${report}")
foreach(key sections tables undrawnTables rows charts lines drawnLines swatches resources)
  string(JSON ${key} GET "${report}" ${key})
endforeach()
string(JSON problems LENGTH "${report}" problems)
if(NOT sections EQUAL 7 OR tables LESS 7 OR NOT undrawnTables EQUAL 0 OR rows LESS 60 OR NOT charts EQUAL 2
   OR lines LESS 10 OR NOT drawnLines EQUAL lines OR swatches LESS 20 OR NOT resources EQUAL 0
   OR NOT problems EQUAL 0)
  message(FATAL_ERROR "the report is not drawn as it should be: ${report}")
endif()

# Printed: A4 pages (595 × 842 points).
run(${browser} --no-pdf-header-footer --print-to-pdf=${WORK}/season-report.pdf file://${WORK}/out/season-report.html)
file(STRINGS "${WORK}/season-report.pdf" boxes REGEX "MediaBox")
if(NOT rc EQUAL 0 OR NOT boxes MATCHES "MediaBox \\[0 0 59[45]\\.[0-9]* 84[12]\\.")
  message(FATAL_ERROR "the report does not print on A4: exit ${rc}, ${boxes}\n${err}")
endif()

# What a person sees, kept beside the game's own window grabs.
run(${browser} --window-size=1200,2400 --screenshot=${SCREENS}/season-report.png file://${WORK}/out/season-report.html)
if(NOT rc EQUAL 0 OR NOT EXISTS "${SCREENS}/season-report.png")
  message(FATAL_ERROR "chromium --screenshot: exit ${rc}\n${err}")
endif()
