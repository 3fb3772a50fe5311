# The season report opened in headless Chromium, from Debian's archive (scripts/install-deps); the
# test reports itself skipped where Chromium is not installed.
find_program(KARVEN_CHROMIUM NAMES chromium) # package chromium
add_test(NAME report.InBrowser
  COMMAND ${CMAKE_COMMAND} -DSIM=$<TARGET_FILE:karven-sim> "-DCHROMIUM=${KARVEN_CHROMIUM}"
          -DWORK=${CMAKE_CURRENT_BINARY_DIR}/report -DSCREENS=${CMAKE_BINARY_DIR}/screens
          -P ${CMAKE_CURRENT_SOURCE_DIR}/report/CheckReport.cmake)
set_tests_properties(report.InBrowser PROPERTIES SKIP_REGULAR_EXPRESSION "SKIPPED: chromium" TIMEOUT 300)
