# karven-sim end to end, through ctest.
set(sim_runner ${CMAKE_CURRENT_SOURCE_DIR}/sim/run_sim.cmake)
set(sim_tmp ${CMAKE_CURRENT_BINARY_DIR}/sim-tmp)
file(MAKE_DIRECTORY ${sim_tmp})

function(karven_sim_test name code args)
  add_test(NAME sim.${name}
    COMMAND ${CMAKE_COMMAND} -DSIM=$<TARGET_FILE:karven-sim> -DCODE=${code} "-DARGS=${args}" ${ARGN}
            -P ${sim_runner})
endfunction()

karven_sim_test(DefaultSeasonAsJson 0 "--json --quiet"
  "-DSTDOUT_MATCH=\"GpCount\": \"16\".*\"races\": \\[\\]")
karven_sim_test(MissingFileFails 1 "--season ${sim_tmp}/missing.krv"
  "-DSTDERR_MATCH=データの読込に失敗しました！")
# A file that is no season is a failed read; a newer format or a declined conversion is a decision.
file(WRITE ${sim_tmp}/empty.krv "")
file(WRITE ${sim_tmp}/newer.krv "#KARVEN-FORMAT-VER2010R01#\r\n\r\n<SIS>\r\n")
karven_sim_test(EmptyFileFails 1 "--season ${sim_tmp}/empty.krv"
  "-DSTDERR_MATCH=シーズンファイルではありません。\n.*データの読込に失敗しました！")
karven_sim_test(PasswdFails 1 "--quiet --season /etc/passwd" "-DSTDERR_MATCH=データの読込に失敗しました！")
karven_sim_test(NewerFormatNotLoaded 3 "--season ${sim_tmp}/newer.krv" "-DSTDERR_MATCH=新バージョン形式のため")
karven_sim_test(BadUsage 2 "--gps many")
karven_sim_test(UnknownOption 2 "--fly")
karven_sim_test(UnsavableFolderFails 1 "--quiet --save ${sim_tmp}/no/such/folder/x.krv"
  "-DSTDERR_MATCH=データ保存に失敗しました！")
karven_sim_test(SameSeedSameRun 0 "--gps 2 --seed 11 --json"
  "-DSAME_AS_ARGS=--gps 2 --seed 11 --json"
  "-DSTDERR_MATCH=決勝スタート！！\n----"
  "-DSTDOUT_MATCH=\"EndGp\": \"2\".*\"fastestLap\"")
karven_sim_test(SaveThenLoad 0 "--gps 1 --seed 5 --quiet --save ${sim_tmp}/after1.krv")
karven_sim_test(LoadSaved 0 "--season ${sim_tmp}/after1.krv --json --quiet"
  "-DSTDOUT_MATCH=\"EndGp\": \"1\"")
set_tests_properties(sim.LoadSaved PROPERTIES DEPENDS sim.SaveThenLoad)
karven_sim_test(WholeSeason 0 "--gps all --seed 1 --quiet"
  "-DSTDOUT_MATCH=ﾄﾞﾗｲﾊﾞｰｽﾞﾗﾝｷﾝｸﾞ \\(第16戦まで\\)")
karven_sim_test(CareerSameSeedSameRun 0 "--seasons 2 --seed 4 --json"
  "-DSAME_AS_ARGS=--seasons 2 --seed 4 --json"
  "-DSTDERR_MATCH=が移籍決定！！\n----"
  "-DSTDOUT_MATCH=\"market\": \\[")
karven_sim_test(SeasonsAndGpsExclude 2 "--seasons 2 --gps 3")

find_package(nlohmann_json CONFIG REQUIRED)
add_executable(karven_sim_tests ${CMAKE_CURRENT_SOURCE_DIR}/sim/CareerTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/sim/RaceRecordsSimTest.cpp ${CMAKE_CURRENT_SOURCE_DIR}/sim/EnglishSimTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/sim/WorldSimTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/sim/PrincipalSimTest.cpp)
target_include_directories(karven_sim_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(karven_sim_tests PRIVATE GTest::gtest_main nlohmann_json::nlohmann_json)
target_compile_definitions(karven_sim_tests PRIVATE KARVEN_SIM="$<TARGET_FILE:karven-sim>"
  KARVEN_GOLDEN_DIR="${PROJECT_SOURCE_DIR}/tests/golden/")
add_dependencies(karven_sim_tests karven-sim)
gtest_discover_tests(karven_sim_tests DISCOVERY_MODE PRE_TEST)
karven_sim_test(OddsSameWithAnyThreads 0 "--gps 4 --odds 300 --seed 4 --threads 1 --json --quiet"
  "-DSAME_AS_ARGS=--gps 4 --odds 300 --seed 4 --threads 2 --json --quiet"
  "-DSTDOUT_MATCH=\"odds\": {\n *\"runs\": 300,")
karven_sim_test(OddsTable 0 "--odds 50 --seed 4 --quiet"
  "-DSTDOUT_MATCH=チャンピオン予想 \\(50 回の試算\\)")

# Careers played by karven-sim, checked against the rules' invariants; scripts/soak runs longer ones.
add_executable(karven_soak_check ${CMAKE_CURRENT_SOURCE_DIR}/sim/SoakCheck.cpp)
target_link_libraries(karven_soak_check PRIVATE nlohmann_json::nlohmann_json)
add_dependencies(karven_soak_check karven-sim)
foreach(seed 1 2 3)
  add_test(NAME soak.Seed${seed}
    COMMAND karven_soak_check --sim $<TARGET_FILE:karven-sim> --seasons 30 --seed ${seed})
endforeach()

# Odd seasons a file may hold, each played through qualifying, race, market and a new season.
# With nobody to race, the file starts at the season's end: the market and the new season run,
# then qualifying finds no field and no race can start.
file(GLOB odd_seasons CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/odd/*.krv)
foreach(file ${odd_seasons})
  get_filename_component(name ${file} NAME_WE)
  if(name MATCHES "^no-")
    karven_sim_test(Odd.${name} 0 "--season ${file} --seasons 2 --seed 1 --json --quiet"
      "-DSTDERR_MATCH=第1戦を開催できません。" "-DSTDOUT_MATCH=\"announcements\": 0")
  else()
    add_test(NAME soak.Odd.${name}
      COMMAND karven_soak_check --sim $<TARGET_FILE:karven-sim> --season ${file} --seasons 2 --seed 1)
  endif()
endforeach()

# Memory that stays flat: a long career and many odds runs on a season of 999 drivers.
add_executable(karven_peak_memory ${CMAKE_CURRENT_SOURCE_DIR}/sim/PeakMemory.cpp)
target_link_libraries(karven_peak_memory PRIVATE karven_core)
add_dependencies(karven_peak_memory karven-sim)
# The sanitizers' shadow memory and quarantine would be measured instead of the program's own.
if(NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize")
  add_test(NAME sim.PeakMemory COMMAND karven_peak_memory --sim $<TARGET_FILE:karven-sim> --work ${sim_tmp})
  set_tests_properties(sim.PeakMemory PROPERTIES TIMEOUT 300)
endif()

# The season's CSV files and the results.
include(${CMAKE_CURRENT_SOURCE_DIR}/sim/Exchange.cmake)

# The living world over a career: balanced as the README reports it, on a short count here (the
# full run, 300 seasons of five seeds, is scripts/world-balance).
add_executable(karven_world_balance ${PROJECT_SOURCE_DIR}/tests/world/WorldBalance.cpp)
target_link_libraries(karven_world_balance PRIVATE karven_core)
add_dependencies(karven_world_balance karven-sim)
add_test(NAME world.Balance
  COMMAND karven_world_balance --sim $<TARGET_FILE:karven-sim> --work ${sim_tmp} --seasons 60 --seeds 1)

# Running a team: the policies' careers and the economy, measured in full (half a minute), as
# scripts/manage-balance does.
add_executable(karven_manage_balance ${PROJECT_SOURCE_DIR}/tests/world/ManageBalance.cpp)
target_link_libraries(karven_manage_balance PRIVATE karven_core)
add_dependencies(karven_manage_balance karven-sim)
add_test(NAME manage.Balance
  COMMAND karven_manage_balance --sim $<TARGET_FILE:karven-sim> --work ${sim_tmp} --careers 1-40 --economy 1,2,3,4,5
          --economy-seasons 300)
