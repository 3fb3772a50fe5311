# The installed game: an install tree that runs through its links, and the Debian package.
# Called with BUILD (the build folder) and WORK (a scratch folder) and MODE tree or package.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${ARGN}: exit ${rc}\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

# The game starts through its link and keeps running (it waits for the player); karven-sim plays.
function(starts root)
  run("${root}/bin/karven-sim" --gps 1 --seed 1 --quiet)
  if(NOT out MATCHES "第1戦まで終了")
    message(FATAL_ERROR "karven-sim through its link did not play:\n${out}")
  endif()
  # The English catalogue and season are found where they were installed.
  run("${root}/bin/karven-sim" --lang en --gps 1 --seed 1 --quiet)
  if(NOT out MATCHES "rounds run: 1" OR NOT out MATCHES "Bluehawk")
    message(FATAL_ERROR "karven-sim --lang en through its link did not play in English:\n${out}")
  endif()
  execute_process(COMMAND timeout 4 env QT_QPA_PLATFORM=offscreen "${root}/bin/karven" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 124)
    message(FATAL_ERROR "karven through its link ended with ${rc} instead of waiting for the player")
  endif()
endfunction()

set(expected bin/karven bin/karven-sim lib/karven/karven lib/karven/karven-sim lib/karven/Karven.sin
    lib/karven/Karven-en.sin lib/karven/locale/en/LC_MESSAGES/karven.mo
    lib/karven/cls.dat lib/karven/img/color/0000.dat lib/karven/img/tenkou/ame.bmp lib/karven/img/anime/go01.bmp
    share/applications/io.karven.Karven.desktop share/metainfo/io.karven.Karven.metainfo.xml
    share/icons/hicolor/48x48/apps/io.karven.Karven.png share/icons/hicolor/256x256/apps/io.karven.Karven.png)

if(MODE STREQUAL "tree")
  run(${CMAKE_COMMAND} --install "${BUILD}" --prefix "${WORK}/usr")
  foreach(f ${expected})
    if(NOT EXISTS "${WORK}/usr/${f}")
      message(FATAL_ERROR "not installed: ${f}")
    endif()
  endforeach()
  starts("${WORK}/usr")
  run(appstreamcli validate --no-net "${WORK}/usr/share/metainfo/io.karven.Karven.metainfo.xml")
  run(desktop-file-validate "${WORK}/usr/share/applications/io.karven.Karven.desktop")
else()
  execute_process(COMMAND cpack -G DEB -B "${WORK}" WORKING_DIRECTORY "${BUILD}" RESULT_VARIABLE rc
                  OUTPUT_VARIABLE out ERROR_VARIABLE err)
  file(GLOB deb "${WORK}/*.deb")
  if(NOT rc EQUAL 0 OR NOT deb)
    message(FATAL_ERROR "cpack -G DEB failed: ${out}\n${err}")
  endif()
  run(dpkg-deb -c "${deb}")
  foreach(f ${expected})
    if(NOT out MATCHES "\\./usr/${f}")
      message(FATAL_ERROR "not in the package: ${f}\n${out}")
    endif()
  endforeach()
  run(dpkg-deb -f "${deb}" Depends)
  foreach(dep libqt6widgets6 libqt6charts6 fonts-ipafont-gothic)
    if(NOT out MATCHES "${dep}")
      message(FATAL_ERROR "the package does not depend on ${dep}: ${out}")
    endif()
  endforeach()
  run(dpkg-deb -x "${deb}" "${WORK}/root")
  starts("${WORK}/root/usr")
endif()
