#include <gtest/gtest.h>

#include "EditorTestSeason.h"
#include "shell/MainState.h"

using namespace karven;
using namespace karven::test;

using Texts = std::vector<std::string>;

TEST(TimSet, NameSplitAndRebuildRowByRow) {
    EXPECT_EQ(SplitTimNm("赤・白・青").team + "|" + SplitTimNm("赤・白・青").engine, "赤|白・青");
    EXPECT_EQ(SplitTimNm("単独").team + "|" + SplitTimNm("単独").engine, "単独|単独");
    // Leaving the team box, then the engine box: T empty, E empty, different, equal.
    EXPECT_EQ(Texts({JoinTimNm("", "E", false), JoinTimNm("T", "", false), JoinTimNm("T", "E", false),
                     JoinTimNm("T", "T", false)}),
              (Texts{"E", "T", "T・E", "T"}));
    EXPECT_EQ(Texts({JoinTimNm("", "E", true), JoinTimNm("T", "", true), JoinTimNm("T", "E", true),
                     JoinTimNm("T", "T", true)}),
              (Texts{"・E", "T", "T・E", "T"}));

    EditorWorld w(EditorSeason(3, 3, 8));
    w.season.TimTable[2].TimNm = "赤・" + std::string(110, 'e');
    TeamEditor t(w);
    EXPECT_FALSE(t.form("txtTimNm").enabled); // nothing chosen: nothing typed can be lost
    TypeInto(t.form("txtTimNm"), "誰");
    t.Pick(0);
    EXPECT_EQ(t.form("txtEngNm").text, "Team01");
    TypeInto(t.form("txtTimNm"), "Team01"); // both boxes hold the one name: stored once
    EXPECT_EQ(t.Items()[0], "Team01");
    TypeInto(t.form("txtEngNm"), "無限,V10"); // tidied as typed, then joined
    EXPECT_EQ(t.Items()[0], "Team01・無限，V10");
    t.Pick(1);
    EXPECT_EQ(t.form("txtEngNm").text, std::string(100, 'e')); // at most 100 characters
    TypeInto(t.form("txtEngNm"), "");
    EXPECT_EQ(t.Items()[1], "赤");
}

TEST(TimSet, ShowsATeamAndStepsItsGrades) {
    EditorWorld w(EditorSeason(3, 3, 7));
    w.shell.main.geometry = {40, 30, 952, 700};
    w.season.TimTable[2].ColorNo = "0500";
    w.season.TimTable[2].Speed = "2";
    w.platform.pictures[w.platform.appPath + "img/color/0500.dat"] = PictureState::Missing;
    TeamEditor t(w);
    EXPECT_EQ(t.form.geometry.left + t.form.geometry.width, 40 + 952);
    EXPECT_EQ(t.form.geometry.top, 30);
    EXPECT_EQ(t.form("cboDrv", 2).items.size(), 7u);
    t.form.Click("cmdUp", 0); // no team chosen
    EXPECT_EQ(t.form.TimEditTable[2].Speed, "2");

    t.Pick(1);
    EXPECT_EQ(t.Seats(), "Driver03|Driver04");
    EXPECT_EQ(t.form("lblCo").text, "0500");
    EXPECT_EQ(t.form("imgCo").picture, ""); // a missing swatch shows nothing
    // Each arrow pair steps its own grade: speed, aerodynamics, stability.
    auto letters = [&] { return t.form("lblSp").text + t.form("lblSh").text + t.form("lblAn").text; };
    EXPECT_EQ(letters(), "BEE");
    t.form.Click("cmdUp", 0);
    t.form.Click("cmdUp", 0);
    t.form.Click("cmdUp", 1);
    t.form.Click("cmdDn", 2);
    t.form.Click("cmdUp", 2);
    EXPECT_EQ(letters(), "ADD");
    const TimRecord& r = t.form.TimEditTable[2];
    EXPECT_EQ(r.Speed + r.Aero + r.Stability, "142");
}

TEST(TimSet, ColourSearchWrapsSkipsAndStops) {
    EditorWorld w(EditorSeason(3, 2, 4));
    auto file = [&](const char* no) { return w.platform.appPath + "img/color/" + no + ".dat"; };
    w.season.TimTable[1].ColorNo = "9999";
    w.season.TimTable[2].ColorNo = "0001";
    TeamEditor t(w);
    t.form.Click("cmdDn", 3); // no team chosen
    EXPECT_EQ(t.form.TimEditTable[1].ColorNo, "9999");

    t.Pick(0);
    t.form.Click("cmdDn", 3);
    EXPECT_EQ(t.form("lblCo").text, "0000");
    EXPECT_EQ(t.form("imgCo").picture, file("0000"));
    t.Pick(1);
    t.form.Click("cmdUp", 3);
    EXPECT_EQ(t.form("lblCo").text, "9999");

    // 9998 is missing and skipped; 9997 cannot be read: the number moves, the window does not.
    w.platform.pictures[file("9998")] = PictureState::Missing;
    w.platform.pictures[file("9997")] = PictureState::Unreadable;
    t.form.Click("cmdUp", 3);
    EXPECT_EQ(t.form.TimEditTable[2].ColorNo, "9997");
    EXPECT_EQ(t.form("lblCo").text, "9999");
    EXPECT_EQ(t.form("imgCo").picture, file("9999"));
    t.form.Click("cmdUp", 3);
    EXPECT_EQ(t.form("lblCo").text, "9996");

    // No colour picture at all: one whole turn, then the colour stays and the player is told.
    w.platform.pictures.clear();
    w.platform.otherPictures = PictureState::Missing;
    t.form.Click("cmdDn", 3);
    EXPECT_EQ(t.form.TimEditTable[2].ColorNo, "9996");
    EXPECT_EQ(w.platform.Texts(), (Texts{"マシンカラーの画像が\r\n見つかりません！"}));
}

TEST(TimSet, SeatsMoveDriversByName) {
    EditorWorld w(EditorSeason(3, 3, 8));    // teams 01 02 03 hold drivers 1-2, 3-4, 5-6
    w.season.DrvTable[3].DrvNm = "Driver05"; // a namesake in team 02, before the driver in team 03
    w.season.DrvTable[8].DrvNm = "";
    TeamEditor t(w);
    Control& first = t.form("cboDrv", 1);
    Control& second = t.form("cboDrv", 2);

    // A driver of team 01 chosen for team 02 moves; team 01 keeps one seat empty.
    t.Pick(1);
    TypeInto(second, "Driver01");
    EXPECT_EQ(t.Seat(1) + t.Seat(4), "02");
    EXPECT_EQ(t.Seats(), "Driver05|Driver01");
    t.Pick(0);
    EXPECT_EQ(t.Seats(), "Driver02|");

    // Passing through a seat changes nothing, though its name belongs to a driver before him.
    t.Pick(2);
    TypeInto(first, first.text);
    EXPECT_EQ(t.Seat(3) + t.Seat(5) + t.Seat(6), "020303");
    // A name two drivers share seats the first of them.
    TypeInto(second, "Driver05");
    EXPECT_EQ(t.Seat(3) + t.Seat(5) + t.Seat(6), "0303");

    // An emptied seat seats nobody, though a driver has no name; a name nobody has empties it too.
    TypeInto(first, "");
    EXPECT_EQ(t.Seat(5) + t.Seat(8), "");
    TypeInto(second, "誰でもない");
    EXPECT_EQ(t.Seat(3), "");
    EXPECT_EQ(t.Seats(), "|");
}

TEST(TimSet, ATeamOfThreeShowsTwoAndKeepsTheThird) {
    EditorWorld w(EditorSeason(3, 2, 6));
    w.season.DrvTable[5].TimNo = "01";
    TeamEditor t(w);
    t.Pick(0);
    EXPECT_EQ(t.Seats(), "Driver01|Driver02");
    EXPECT_EQ(t.form("lblDrvMore").text, "ほかに 1 人在籍");
    TypeInto(t.form("cboDrv", 1), "");
    t.Pick(0);
    EXPECT_EQ(t.Seats(), "Driver02|Driver05");
    EXPECT_EQ(t.form("lblDrvMore").text, "");
    TypeInto(t.form("cboDrv", 1), "Driver05"); // from the other seat, which he leaves
    EXPECT_EQ(t.Seats(), "Driver05|");
    EXPECT_EQ(t.Seat(2) + t.Seat(5), "01");
}

TEST(TimSet, AddNewUpToSixteen) {
    EditorWorld w(EditorSeason(3, 15, 34));
    w.season.DrvTable[33].TimNo = "16"; // a seat in a team that does not exist yet is no seat
    TeamEditor t(w);
    t.form.Click("cmdAdd");
    ASSERT_EQ(t.Items().size(), 16u);
    EXPECT_EQ(t.form.TimIdx, 15);
    EXPECT_EQ(t.form.TimEditTable[16], (TimRecord{"16", "New", "0000", "5", "5", "1", "0"}));
    EXPECT_EQ(t.form("lblSp").text + t.form("lblSh").text + t.form("lblAn").text, "EEE");
    EXPECT_EQ(t.Seats() + t.Seat(33), "|");
    t.form.Click("cmdAdd");
    EXPECT_EQ(t.Items().size(), 16u);
    EXPECT_EQ(w.platform.Texts(), (Texts{"チーム数は、\r\n最大 16 チームです！"}));
}

TEST(TimSet, DeleteUnseatsRenumbersAndSelectsTheNeighbour) {
    EditorWorld w(EditorSeason(3, 4, 8));
    TeamEditor t(w);
    t.form.Click("cmdDel");
    EXPECT_EQ(w.platform.Texts(), (Texts{"先に\r\n削除するチームを選択してください！"}));

    t.Pick(1);
    t.form.Click("cmdDel");
    EXPECT_EQ(t.Items(), (Texts{"Team01", "Team03", "Team04"}));
    EXPECT_EQ(t.form.TimEditTable[2].TimNo + t.form.TimEditTable[3].TimNo, "0203");
    Texts seats;
    for (int d = 1; d <= 8; ++d) seats.push_back(t.Seat(d));
    EXPECT_EQ(seats, (Texts{"01", "01", "", "", "02", "02", "03", "03"}));
    EXPECT_EQ(t.Seats(), "Driver05|Driver06");

    t.Pick(2);
    t.form.Click("cmdDel");
    EXPECT_EQ(t.form.TimIdx, 1); // the last line gone, the one above
    t.form.Click("cmdDel");
    t.form.Click("cmdDel"); // the last team stays, without a word
    EXPECT_EQ(t.Items(), (Texts{"Team01"}));
    EXPECT_EQ(w.platform.shown.size(), 1u);
}

TEST(TimSet, OkWritesAndFitsTheGridCancelDropsIt) {
    EditorWorld w(EditorSeason(3, 3, 8));
    w.season.Sis.NinCount = "5";
    Season before = w.season;
    auto edit = [](TeamEditor& t) {
        t.Pick(0);
        TypeInto(t.form("txtTimNm"), " 紅 ");
        t.Pick(2);
        t.form.Click("cmdDel"); // two drivers lose their seats
    };
    {
        TeamEditor t(w);
        edit(t);
        t.form.Click("cmdCancel");
        EXPECT_TRUE(t.form.IsClosed());
        EXPECT_EQ(w.season, before);
    }
    TeamEditor t(w);
    edit(t);
    t.form.Click("cmdOK");
    EXPECT_TRUE(t.form.IsClosed());
    EXPECT_EQ(w.season.TimCount, "2");
    ASSERT_EQ(w.season.TimTable.size(), 3u);
    EXPECT_EQ(w.season.TimTable[1].TimNm, "紅 ・Team01"); // without the space the file would drop
    EXPECT_EQ(w.season.DrvTable[5].TimNo, "");
    EXPECT_EQ(w.season.Sis.NinCount, "4");

    // OK never raises the grid, and never takes it below one.
    w.season.Sis.NinCount = "2";
    TeamEditor(w).form.Click("cmdOK");
    EXPECT_EQ(w.season.Sis.NinCount, "2");
    for (int d = 1; d <= 8; ++d) w.season.DrvTable[d].TimNo.clear();
    TeamEditor(w).form.Click("cmdOK");
    EXPECT_EQ(w.season.Sis.NinCount, "1");
}

TEST(TimSet, BothEditorsOpenFromTheMenuExceptBetweenQualifyingAndRace) {
    EditorWorld w(EditorSeason(3));
    w.platform.fallback = [](Form& f) { f.Click("cmdCancel"); };
    for (auto [item, index, caption] :
         {std::tuple{"Set_Tim", 22, "チーム設定"}, {"Set_Drv", 23, "ドライバー設定"}}) {
        for (int state : {1, 2, 3, 4}) {
            SetMainState(w.shell.main, CommandState(state));
            w.platform.shown.clear();
            w.shell.main.Click(item, index);
            ASSERT_EQ(w.platform.shown.size(), state == 3 ? 0u : 1u) << item << state;
            if (state != 3) {
                EXPECT_EQ(w.platform.shown[0].caption, caption);
            }
        }
    }
}
