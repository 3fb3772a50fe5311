# karven-sim with the season's CSV files and the results, end to end.
set(exchange_dir ${PROJECT_SOURCE_DIR}/tests/exchange)

# The default season out and in again: the same season plays the same Grands Prix.
karven_sim_test(ExportCsv 0 "--quiet --export-csv ${sim_tmp}/csv"
  "-DFILE=${sim_tmp}/csv/drivers.csv" "-DFILE_MATCH=^...DrvNm,TimNm,Technique,Roughness,Block,Stability")
karven_sim_test(ImportExportedCsv 0 "--import-csv ${sim_tmp}/csv --gps 2 --seed 5 --json --quiet"
  "-DSAME_AS_ARGS=--gps 2 --seed 5 --json --quiet")
set_tests_properties(sim.ImportExportedCsv PROPERTIES DEPENDS sim.ExportCsv)

# A player's drivers.csv, saved from a spreadsheet in code page 932 without a byte-order mark:
# renamed and new drivers, other grades. The season races with them.
karven_sim_test(ImportEditedDrivers 0 "--import-csv ${exchange_dir}/edited --gps 3 --seed 3 --json --quiet"
  "-DSTDOUT_MATCH=\"DrvCount\": \"42\".*\"DrvNm\": \"新人，二号\".*\"races\": \\[.*\"DrvNm\": \"若葉新\"")

# A broken file: refused with its line, nothing played, nothing saved.
karven_sim_test(RefusedImportPlaysNothing 1 "--import-csv ${exchange_dir}/bad --gps 2 --save ${sim_tmp}/refused.krv"
  "-DSTDERR_MATCH=drivers.csv の 3 行目、\nTechnique 列：\n「G」は、S～E の評価ではありません！\nインポートを中止しました。"
  "-DNO_FILE=${sim_tmp}/refused.krv")
karven_sim_test(ImportFromAnEmptyFolder 1 "--import-csv ${PROJECT_SOURCE_DIR}/tests/install"
  "-DSTDERR_MATCH=teams.csv・drivers.csv・calendar.csv がありません")

# The results after the Grands Prix played.
karven_sim_test(ExportResults 0 "--gps 3 --seed 2 --quiet --export-results ${sim_tmp}/results"
  "-DFILE=${sim_tmp}/results/season-report.html" "-DFILE_MATCH=第 3 戦まで（全 16 戦）.*<svg class=\"chart\"")
