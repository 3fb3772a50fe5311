// Texts fitted to their boxes: Japanese messages break between phrases, never inside a word, and
// a name too long for its box ends with "…" and shows whole in its tooltip.
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <gtest/gtest.h>

#include <numeric>

#include "GameUnderTest.h"
#include "ModalDriver.h"
#include "Screens.h"
#include "season/Numbers.h"
#include "shell/MainState.h"
#include "shell/MessageWindows.h"
#include "standings/DrvSei.h"
#include "ui/TextFit.h"

using namespace karven;
using ui::MayBreakBetween;

namespace {
QFontMetrics Metrics(int points) {
    QFont font = QApplication::font();
    font.setPointSize(points);
    return QFontMetrics(font);
}
} // namespace

TEST(TextFit, BreaksFallBetweenPhrasesAndAfterPunctuation) {
    struct Case {
        char32_t a, b;
        bool may;
    };
    const Case cases[] = {
        {U'を', U'選', true},  {U'を', U'ス', true},  {U'に', U'ド', true}, // a phrase ends in kana
        {U'さ', U'い', false}, {U'選', U'択', false}, {U'ス', U'タ', false}, // inside a word
        {U'ー', U'を', false}, {U'い', U'！', false}, {U'し', U'た', false}, {U'ン', U'・', false},
        {U'！', U'次', true},  {U'、', U'よ', true},  {U'・', U'ヴ', true},  {U' ', U'降', true},
        {U'（', U'雷', false}, {U'鳴', U'）', false}, {U'す', U'（', true},  {U'0', U'%', false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MayBreakBetween(c.a, c.b), c.may)
            << QString::fromUcs4(&c.a, 1).toStdString() << "|" << QString::fromUcs4(&c.b, 1).toStdString();
}

TEST(TextFit, ADocumentKeepsItsPhrasesTogetherAndItsMarkupAsItIs) {
    const QChar joiner(0x2060);
    EXPECT_EQ(ui::KeepPhrasesTogether("<p>ドライバーを<b>選択</b></p>"),
              QString("<p>ド%1ラ%1イ%1バ%1ー%1を<b>選%1択</b></p>").arg(joiner));
    EXPECT_EQ(ui::KeepPhrasesTogether("<img src=\"/x/ア.bmp\">Enter キー"), "<img src=\"/x/ア.bmp\">Enter キ" + QString(joiner) + "ー");
}

TEST(TextFit, AMessageWrapsWithoutCuttingAWord) {
    const QFontMetrics metrics = Metrics(11);
    const int width = 266; // the message windows' text
    QString wrapped = ui::WrapText("先に\n削除するドライバーを選択してください！", metrics, width);
    EXPECT_EQ(wrapped, "先に\n削除するドライバーを\n選択してください！");
    // Long texts of every kind: each line fits, none starts with what may not start a line, and
    // nothing is lost but the spaces at a break.
    for (QString text : {QString("アルファベータガンマ・デルタイプシロンゼ に\nジョナサン・クリストファー・アレクサンダ\nが移籍決定！！"),
                         QString("まだ交渉が行われていません。全ドライバーが所属なしになります。よろしいですか？"),
                         QString("天候は くもり 降水確率は 60% 決勝をスタートしてよろしいですか？"),
                         QString("ジョナサンクリストファーアレクサンダーウィリアムズ")}) {
        QString out = ui::WrapText(text, metrics, width);
        for (const QString& line : out.split('\n')) {
            EXPECT_LE(metrics.horizontalAdvance(line), width) << line.toStdString();
            EXPECT_FALSE(line.startsWith("ー") || line.startsWith("！") || line.startsWith("。") || line.startsWith("、"))
                << line.toStdString();
        }
        EXPECT_EQ(QString(out).remove('\n').remove(' '), QString(text).remove('\n').remove(' '));
    }
}

TEST(TextFit, WhatCannotFitEndsWithAnEllipsis) {
    const QFontMetrics metrics = Metrics(10);
    const QString name = "ジョナサン・クリストファー・アレクサンダー";
    ui::FittedText oneLine = ui::FitText(name, metrics, 120, 18, false);
    EXPECT_TRUE(oneLine.elided);
    EXPECT_TRUE(oneLine.text.endsWith(QChar(0x2026)));
    EXPECT_LE(metrics.horizontalAdvance(oneLine.text), 120);
    // Two lines: broken after the dot first, the rest ended with "…".
    ui::FittedText twoLines = ui::FitText(name, metrics, 120, 2 * metrics.lineSpacing(), true, "・");
    EXPECT_TRUE(twoLines.elided);
    QStringList lines = twoLines.text.split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "ジョナサン・");
    EXPECT_TRUE(lines[1].endsWith(QChar(0x2026)));
    // What fits is left alone.
    ui::FittedText whole = ui::FitText("真壁蒼", metrics, 120, 18, false);
    EXPECT_FALSE(whole.elided);
    EXPECT_EQ(whole.text, "真壁蒼");
}

// On the board, in the career records and in the message windows.
TEST(TextFit, LongNamesInTheWindowsEndWithAnEllipsisAndShowWholeInTheirTooltips) {
    const std::string longName = "ジョナサン・クリストファー・アレクサンダー・ウィリアムズ";
    test::GameUnderTest g(4);
    g.Start([&](Season& s) {
        s.DrvTable[1].DrvNm = longName;
        s.Sis.EndGp = "1";
        s.DrvTable[1].Result[1] = "1";
        SetMainState(g.game.shell.main, CommandState::BetweenGps);
    });
    g.window.findChild<QPushButton*>("cmdDrvRank")->click();
    auto* cell = g.window.findChild<QLabel*>("lbl2(1)");
    EXPECT_TRUE(cell->text().endsWith(QChar(0x2026))) << cell->text().toStdString();
    EXPECT_EQ(cell->toolTip().toStdString(), longName);
    EXPECT_TRUE(g.window.findChild<QLabel*>("lbl2(2)")->toolTip().isEmpty()) << "a name that fits has none";

    QString recordName, recordTip;
    test::WhenModal([&](QWidget& dialog) {
        auto* name = dialog.findChild<QLabel*>("lblNm");
        recordName = name->text();
        recordTip = name->toolTip();
        test::PressKey(dialog, Qt::Key_Escape);
    });
    ShowDrvSei(g.game.shell, "01");
    EXPECT_TRUE(recordName.endsWith(QChar(0x2026)));
    EXPECT_EQ(recordTip.toStdString(), longName);

    QString message;
    g.game.shell.MsgText = std::string("先に") + CrLf + "削除するドライバーを選択してください！";
    test::WhenModal([&](QWidget& dialog) {
        message = dialog.findChild<QLabel*>("lblMsg")->text();
        dialog.grab().save(test::ScreenPath("message_wrapped.png"));
        test::PressKey(dialog, Qt::Key_Return);
    });
    ShowOk(g.game.shell);
    EXPECT_EQ(message, "先に\n削除するドライバーを\n選択してください！");
}

TEST(TextFit, ColumnsTakeWhatTheyNeedTheWidestGiveWayAndHeadingsStayWhole) {
    using ui::ColumnNeed;
    auto sum = [](const std::vector<int>& widths) { return std::accumulate(widths.begin(), widths.end(), 0); };
    // Room to spare: each its own, the rest to the columns that share it, every pixel given.
    const std::vector<ColumnNeed> race = {{30, 24, false}, {80, 200, true}, {90, 100, true}, {40, 160, true}};
    EXPECT_EQ(ui::FitColumns(race, 600), (std::vector<int>{30, 236, 137, 197}));
    EXPECT_EQ(ui::FitColumns({{30, 24, false}, {40, 60, false}}, 200), (std::vector<int>{30, 60})) << "none shares";
    // Too little: the widest narrowed to one width, the narrow ones and the headings untouched.
    std::vector<int> tight = ui::FitColumns(race, 400);
    EXPECT_EQ(sum(tight), 400);
    EXPECT_EQ(tight[0], 30);
    EXPECT_EQ(tight[2], 100) << "below the cap: whole";
    EXPECT_EQ(tight[1], 135);
    EXPECT_EQ(tight[3], 135);
    std::vector<int> tighter = ui::FitColumns(race, 260);
    EXPECT_EQ(sum(tighter), 260);
    EXPECT_GE(tighter[1], 80);
    EXPECT_GE(tighter[2], 90);
    // Not even the headings: they stay whole, and the table scrolls.
    EXPECT_EQ(ui::FitColumns(race, 100), (std::vector<int>{30, 80, 90, 40}));
}
