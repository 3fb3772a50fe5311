#include "exchange/Csv.h"
#include "exchange/Results.h"
#include "exchange/SeasonReport.h"
#include "history/Archive.h"
#include "history/Records.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "standings/Rankings.h"
#include "standings/Seiseki.h"

namespace karven {

namespace {
using Row = std::vector<std::string>;

class CsvFile {
public:
    explicit CsvFile(const Row& header) : text_(std::string(csv::ByteOrderMark) + csv::Line(header)) {}
    void Add(const Row& row) { text_ += csv::Line(row); }
    std::string Text() { return std::move(text_); }

private:
    std::string text_;
};

std::string Number(double value) { return FormatPlain(value); }
std::string Number(int value) { return std::to_string(value); }
std::string Flag(bool on) { return on ? "1" : "0"; }

std::string DriverStandingsCsv(const Season& season) {
    CsvFile file({"Rank", "DrvNm", "TimNm", "Points"});
    for (const DriverStanding& d : DriverStandings(season)) file.Add({Number(d.rank), d.DrvNm, d.TimNm, d.Points});
    return file.Text();
}

std::string TeamStandingsCsv(const Season& season) {
    CsvFile file({"Rank", "TimNm", "Points"});
    for (const TeamStanding& t : TeamStandings(season)) file.Add({Number(t.rank), t.TimNm, t.Points});
    return file.Text();
}

// As the season results table shows it: a row for each seat that has a driver.
std::string SeisekiCsv(const Season& season) {
    ArchivedSeason sofar = SeasonSoFar(season);
    Row header{"TimNm", "DrvNm"};
    for (size_t g = 0; g < sofar.gps.size(); ++g) header.push_back(Number(int(g) + 1) + " " + sofar.gps[g].GpNm);
    header.push_back("Points");
    CsvFile file(header);
    SeisekiTable table = SeisekiBuild(season);
    for (size_t r = 1; r < table.size(); ++r) {
        const SeisekiRecord& seat = table[r];
        if (seat.DrvNo.empty()) continue;
        Row row{seat.TimNm, seat.DrvNm};
        for (size_t g = 1; g <= sofar.gps.size(); ++g) row.push_back(seat.Cell[g]);
        row.push_back(seat.Points);
        file.Add(row);
    }
    return file.Text();
}

std::string RacesCsv(const std::vector<ArchivedSeason>& seasons) {
    CsvFile file({"Season", "SeasonName", "Gp", "GpNm", "Place", "DrvNm", "TimNm", "Points", "Retired", "Pole",
                  "FastestLap"});
    for (const ArchivedSeason& s : seasons)
        for (size_t g = 0; g < s.gps.size(); ++g) {
            const ArchivedGp& gp = s.gps[g];
            for (const ArchivedCar& car : gp.result)
                file.Add({Number(s.number), SeasonTitle(s), Number(int(g) + 1), gp.GpNm, Number(car.place),
                          s.Name(car.driver), s.Name(car.team), Number(car.points), Flag(car.retired),
                          Flag(gp.pole && gp.pole == car.driver), Flag(gp.fastestLap && gp.fastestLap == car.driver)});
        }
    return file.Text();
}

std::string SeasonsCsv(const std::vector<ArchivedSeason>& seasons) {
    CsvFile file({"Season", "SeasonName", "Complete", "Champion", "ChampionTeam", "ConstructorsChampion",
                  "StandingsLeader"});
    for (const ArchivedSeason& s : seasons)
        file.Add({Number(s.number), SeasonTitle(s), Flag(s.complete), s.Champion().value_or(""),
                  s.Champion() ? s.Name(s.championTeam) : "", s.ConstructorsChampion().value_or(""),
                  s.StandingsLeader()});
    return file.Text();
}

std::string PastDriversCsv(const std::vector<ArchivedSeason>& seasons) {
    CsvFile file({"Season", "SeasonName", "Place", "DrvNm", "TimNm", "Points", "Wins"});
    for (const ArchivedSeason& s : seasons)
        for (const ArchivedDriver& d : s.drivers)
            file.Add({Number(s.number), SeasonTitle(s), Number(d.place), s.Name(d.driver), s.Name(d.team),
                      Number(d.points), Number(d.wins)});
    return file.Text();
}

std::string PastConstructorsCsv(const std::vector<ArchivedSeason>& seasons) {
    CsvFile file({"Season", "SeasonName", "Place", "TimNm", "Points", "Wins"});
    for (const ArchivedSeason& s : seasons)
        for (const ArchivedTeam& t : s.constructors)
            file.Add({Number(s.number), SeasonTitle(s), Number(t.place), s.Name(t.team), Number(t.points),
                      Number(t.wins)});
    return file.Text();
}

std::string RecordsDriversCsv(const AllTime& all) {
    CsvFile file({"DrvNm", "Titles", "Wins", "Poles", "FastestLaps", "Podiums", "Starts", "Points", "BestSeasonWins"});
    for (const DriverTotals& d : all.drivers)
        file.Add({d.DrvNm, Number(d.titles), Number(d.wins), Number(d.poles), Number(d.fastestLaps), Number(d.podiums),
                  Number(d.starts), Number(d.points), Number(d.bestSeasonWins)});
    return file.Text();
}

std::string RecordsTeamsCsv(const AllTime& all) {
    CsvFile file({"TimNm", "Titles", "Wins"});
    for (const TeamTotals& t : all.teams) file.Add({t.TimNm, Number(t.titles), Number(t.wins)});
    return file.Text();
}
} // namespace

std::vector<ExchangeFile> ResultCsvFiles(const Season& season) {
    const std::vector<ArchivedSeason> onRecord = SeasonsOnRecord(season);
    const std::vector<ArchivedSeason>& archived = season.history.seasons;
    const AllTime all = AllTimeRecords(onRecord);
    return {
        {"standings-drivers.csv", DriverStandingsCsv(season)},
        {"standings-constructors.csv", TeamStandingsCsv(season)},
        {"results.csv", SeisekiCsv(season)},
        {"races.csv", RacesCsv(onRecord)},
        {"seasons.csv", SeasonsCsv(archived)},
        {"past-standings-drivers.csv", PastDriversCsv(archived)},
        {"past-standings-constructors.csv", PastConstructorsCsv(archived)},
        {"records-drivers.csv", RecordsDriversCsv(all)},
        {"records-teams.csv", RecordsTeamsCsv(all)},
    };
}

std::vector<ExchangeFile> ResultFiles(const Season& season) {
    std::vector<ExchangeFile> files = ResultCsvFiles(season);
    files.emplace_back(SeasonReportHtml, SeasonReport(season));
    return files;
}

} // namespace karven
