#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "ModalDriver.h"
#include "shell/Form.h"
#include "ui/Binder.h"
#include "ui/FormView.h"

using namespace karven;

namespace {
struct Bound {
    Form form{"frmTest", "試験"};
    ui::Binder binder;
    QWidget window;
    QWidget* content = new QWidget(&window);
    std::unique_ptr<ui::FormView> view;

    void Bind() {
        view = std::make_unique<ui::FormView>(binder, form, &window, content, nullptr);
        view->Refresh();
    }
    template <class W> W* Widget(const char* key) { return window.findChild<W*>(key); }
};
} // namespace

TEST(Binder, HandlerChangesShowInTheWidgets) {
    Bound t;
    t.form.Add(ControlKind::Label, "lblMsg", {10, 10, 200, 40}, "前");
    Control& hidden = t.form.Add(ControlKind::Label, "lblGone", 2, {10, 60, 100, 20}, "消える");
    Control& ok = t.form.Add(ControlKind::Button, "cmdOk", {10, 90, 80, 24}, "OK");
    Control& other = t.form.Add(ControlKind::Button, "cmdOther", {100, 90, 80, 24}, "他");
    int otherClicks = 0;
    other.onClick = [&] { ++otherClicks; };
    ok.onClick = [&] {
        t.form("lblMsg").text = "一行目\r\n二行目";
        t.form("lblMsg").textColor = 0xFF0000;
        hidden.visible = false;
        other.enabled = false;
    };
    t.Bind();

    auto* label = t.Widget<QLabel>("lblMsg");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->geometry(), QRect(10, 10, 200, 40));
    EXPECT_EQ(label->text(), "前");
    ASSERT_NE(t.Widget<QLabel>("lblGone(2)"), nullptr);

    t.Widget<QPushButton>("cmdOk")->click();
    EXPECT_EQ(label->text(), "一行目\n二行目");
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_TRUE(t.Widget<QLabel>("lblGone(2)")->isHidden());
    auto* otherButton = t.Widget<QPushButton>("cmdOther");
    EXPECT_FALSE(otherButton->isEnabled());
    // a disabled button still looks disabled
    EXPECT_NE(otherButton->palette().color(QPalette::Disabled, QPalette::ButtonText),
              otherButton->palette().color(QPalette::Active, QPalette::ButtonText));
    t.form.Click("cmdOther");
    EXPECT_EQ(otherClicks, 0);
}

TEST(Binder, TypedTextReachesTheFormBeforeTheHandler) {
    Bound t;
    t.form.Add(ControlKind::TextBox, "txtName", {10, 10, 120, 22}, "旧名");
    Control& list = t.form.Add(ControlKind::ListBox, "lstDrv", {10, 40, 120, 80});
    list.items = {"一", "二", "三"};
    std::string seenText;
    int seenIndex = -2;
    std::vector<std::string> changes;
    t.form("txtName").onChange = [&] { changes.push_back(t.form("txtName").text); };
    t.form.Add(ControlKind::Button, "cmdOk", {10, 130, 80, 24}, "OK").onClick = [&] {
        seenText = t.form("txtName").text;
        seenIndex = t.form("lstDrv").listIndex;
        t.form("txtName").text = "整えた名";
    };
    t.Bind();

    auto* edit = t.Widget<QLineEdit>("txtName");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "旧名");
    edit->setFocus();
    edit->end(false);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(edit, &key);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], "旧名a"); // onChange sees the new text

    auto* widgetList = t.Widget<QListWidget>("lstDrv");
    ASSERT_EQ(widgetList->count(), 3);
    widgetList->setCurrentRow(2);
    t.Widget<QPushButton>("cmdOk")->click();
    EXPECT_EQ(seenText, "旧名a");
    EXPECT_EQ(seenIndex, 2);
    EXPECT_EQ(edit->text(), "整えた名"); // and the handler's change comes back
}

// A text box with a limit stops taking characters there; a longer text the logic put there stays
// whole (a name read from a file), and the player can only shorten it.
TEST(Binder, TypingStopsAtABoxsLimit) {
    Bound t;
    Control& box = t.form.Add(ControlKind::TextBox, "txtName", {10, 10, 120, 22}, "");
    box.maxLength = 5;
    std::vector<std::string> changes;
    box.onChange = [&] { changes.push_back(box.text); };
    t.Bind();
    auto* edit = t.Widget<QLineEdit>("txtName");
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    QTest::keyClicks(edit, "abcdefgh");
    EXPECT_EQ(edit->text(), "abcde");
    EXPECT_EQ(box.text, "abcde");

    box.text = "とても長い名前の人";
    t.view->Refresh();
    EXPECT_EQ(edit->text(), "とても長い名前の人");
    edit->end(false);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, "xy");
    EXPECT_EQ(box.text, "とても長い名前の");
}

TEST(Binder, PicturesLoadMissingFilesShowNothing) {
    Bound t;
    Control& pic = t.form.Add(ControlKind::Picture, "imgCo", 1, {0, 0, 32, 12});
    pic.picture = KARVEN_BIN_DIR "cls.dat";
    t.Bind();
    auto* label = t.Widget<QLabel>("imgCo(1)");
    ASSERT_FALSE(label->pixmap().isNull());
    EXPECT_EQ(label->pixmap().size(), QSize(32, 12));

    pic.picture = KARVEN_BIN_DIR "img/color/9999.dat";
    t.view->Refresh();
    EXPECT_TRUE(label->pixmap().isNull());
    pic.picture = KARVEN_BIN_DIR "cls.dat"; // back to a file shown before
    t.view->Refresh();
    EXPECT_FALSE(label->pixmap().isNull());
}

TEST(Binder, AWindowBehindARunningDialogIgnoresClicks) {
    Bound t;
    Form inner{"frmInner", "内"};
    inner.Add(ControlKind::Button, "cmdOK", {10, 10, 80, 24}, "OK").onClick = [&] { inner.Close(); };
    inner.defaultButton = "cmdOK";
    inner.geometry = {0, 0, 120, 60};
    int presses = 0;
    t.form.Add(ControlKind::Button, "cmdStart", {10, 10, 80, 24}, "START").onClick = [&] {
        ++presses;
        inner.Open();
        t.binder.RunDialog(inner);
    };
    t.Bind();

    auto* start = t.Widget<QPushButton>("cmdStart");
    test::WhenModal([&](QWidget& dialog) {
        start->click(); // a key or click that reaches the window behind
        test::PressKey(dialog, Qt::Key_Return);
    });
    start->click();
    EXPECT_EQ(presses, 1);
    EXPECT_TRUE(inner.IsClosed());
    test::AnswerWithKey(Qt::Key_Return);
    start->click(); // with nothing in front it answers again
    EXPECT_EQ(presses, 2);
}

namespace {
// A dialog with a name box whose lost-focus handler takes the name, and OK / Cancel that note
// what they saw.
struct NameDialog {
    Form form{"frmName", "名前"};
    ui::Binder binder;
    std::vector<std::string> events;

    NameDialog() {
        form.geometry = {0, 0, 300, 120};
        Control& name = form.Add(ControlKind::TextBox, "txtName", {10, 10, 200, 24});
        name.onLostFocus = [this] { events.push_back("lost " + form("txtName").text); };
        name.onGotFocus = [this] { events.push_back("got"); };
        form.Add(ControlKind::Button, "cmdOK", {10, 60, 80, 28}, "OK").onClick = [this] {
            events.push_back("ok " + form("txtName").text);
            form.Close();
        };
        form.Add(ControlKind::Button, "cmdCancel", {100, 60, 80, 28}, "Cancel").onClick = [this] {
            events.push_back("cancel");
            form.Close();
        };
        form.defaultButton = "cmdOK";
        form.cancelButton = "cmdCancel";
    }

    // Types a name into the box, then `finish` closes the dialog.
    void Run(std::function<void(QWidget& dialog)> finish) {
        test::WhenModal([finish](QWidget& dialog) {
            test::Activate(dialog);
            dialog.findChild<QLineEdit*>("txtName")->setFocus();
            test::TypeText(dialog, "鈴鹿");
            finish(dialog);
        });
        form.Open();
        binder.RunDialog(form);
    }
};

} // namespace

// The box loses the focus once, before the button acts, whether OK comes by key or by mouse.
TEST(Binder, TextBoxLeftOnceBeforeOkOrCancel) {
    const std::vector<std::string> taken{"got", "lost 鈴鹿", "ok 鈴鹿"};
    {
        NameDialog t;
        t.Run([](QWidget& dialog) { test::PressKey(dialog, Qt::Key_Return); });
        EXPECT_EQ(t.events, taken);
    }
    {
        NameDialog t;
        t.Run([](QWidget& dialog) {
            QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        });
        EXPECT_EQ(t.events, taken);
    }
    {
        NameDialog t;
        t.Run([](QWidget& dialog) { test::PressKey(dialog, Qt::Key_Escape); });
        EXPECT_EQ(t.events, (std::vector<std::string>{"got", "lost 鈴鹿", "cancel"}));
    }
}

TEST(Binder, OtherWindowsAndTabDoNotLeaveTheBoxTwice) {
    NameDialog t;
    QWidget other;
    other.resize(100, 100);
    t.Run([&](QWidget& dialog) {
        // Away to another window and back: the box never left its own window.
        other.show();
        test::Activate(other);
        test::Activate(dialog);
        // Tab leaves it once; Enter from the button then has nothing more to leave.
        test::PressKey(dialog, Qt::Key_Tab);
        test::PressKey(dialog, Qt::Key_Return);
    });
    EXPECT_EQ(t.events, (std::vector<std::string>{"got", "lost 鈴鹿", "ok 鈴鹿"}));
}

namespace {
// A drop-down of three names between a text box and OK, noting its focus handlers and what OK saw.
struct ComboDialog {
    Form form{"frmCombo", "席"};
    ui::Binder binder;
    std::vector<std::string> events;

    ComboDialog() {
        form.geometry = {0, 0, 300, 140};
        form.Add(ControlKind::TextBox, "txtName", {10, 10, 200, 24});
        Control& combo = form.Add(ControlKind::ComboBox, "cboDrv", 1, {10, 40, 200, 24});
        combo.items = {"赤井", "青木", "白石"};
        combo.onGotFocus = [this] { events.push_back("got " + form("cboDrv", 1).text); };
        combo.onLostFocus = [this] { events.push_back("lost " + form("cboDrv", 1).text); };
        form.Add(ControlKind::Button, "cmdOK", {10, 90, 80, 28}, "OK").onClick = [this] {
            events.push_back("ok");
            form.Close();
        };
        form.defaultButton = "cmdOK";
    }

    void Run(std::function<void(QWidget& dialog, QComboBox& box)> act) {
        test::WhenModal([act](QWidget& dialog) {
            test::Activate(dialog);
            dialog.findChild<QLineEdit*>("txtName")->setFocus();
            act(dialog, *dialog.findChild<QComboBox*>("cboDrv(1)"));
        });
        form.Open();
        binder.RunDialog(form);
    }
};

void Settle() {
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
}
} // namespace

// Opening the drop-down's list is no leave; a name picked from it or typed is taken once, before
// OK acts, by keyboard and by mouse.
TEST(Binder, DropDownLeftOncePerLeave) {
    {
        ComboDialog t;
        t.Run([](QWidget& dialog, QComboBox&) {
            test::PressKey(dialog, Qt::Key_Tab);
            test::TypeText(dialog, "黒");
            test::PressKey(dialog, Qt::Key_Backtab);
            test::PressKey(dialog, Qt::Key_Tab);
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Down, Qt::AltModifier); // opens the list
            Settle();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // picks 青木
            Settle();
            test::PressKey(dialog, Qt::Key_Return);
        });
        EXPECT_EQ(t.events, (std::vector<std::string>{"got ", "lost 黒", "got 黒", "lost 青木", "ok"}));
    }
    {
        ComboDialog t;
        t.Run([](QWidget& dialog, QComboBox& box) {
            QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(box.width() - 8, box.height() / 2));
            Settle();
            QTest::qWait(QApplication::doubleClickInterval() +
                         50); // a release this soon would be the opening click's
            QAbstractItemView* view = box.view();
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                              view->visualRect(view->model()->index(2, 0)).center());
            Settle();
            EXPECT_FALSE(view->isVisible());
            QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        });
        EXPECT_EQ(t.events, (std::vector<std::string>{"got ", "lost 白石", "ok"}));
    }
}

// A list with nothing chosen: taking the focus chooses nothing, End and Home go to the ends.
TEST(Binder, ListWithNothingChosenWaitsForTheKeys) {
    for (auto [key, row] : {std::pair{Qt::Key_End, 2}, std::pair{Qt::Key_Home, 0}}) {
        Form form{"frmList", "一覧"};
        ui::Binder binder;
        form.geometry = {0, 0, 300, 160};
        form.Add(ControlKind::Button, "cmdOK", {10, 120, 80, 28}, "OK").onClick = [&] { form.Close(); };
        Control& list = form.Add(ControlKind::ListBox, "lstGp", {10, 10, 200, 100});
        list.items = {"鈴鹿", "モナコ", "スパ"};
        std::vector<int> clicks;
        list.onClick = [&] { clicks.push_back(form("lstGp").listIndex); };
        form.defaultButton = "cmdOK";
        std::vector<int> afterFocus{-1};
        int shownAfterFocus = -2;
        test::WhenModal([&](QWidget& dialog) {
            test::Activate(dialog);
            auto* widget = dialog.findChild<QListWidget*>("lstGp");
            widget->setFocus(Qt::TabFocusReason);
            QApplication::processEvents();
            afterFocus = clicks;
            shownAfterFocus = widget->currentRow();
            test::PressKey(dialog, key);
            test::PressKey(dialog, Qt::Key_Return);
        });
        form.Open();
        binder.RunDialog(form);
        EXPECT_TRUE(afterFocus.empty()) << key;
        EXPECT_EQ(shownAfterFocus, -1) << key;
        EXPECT_EQ(clicks, std::vector<int>{row}) << key;
        EXPECT_EQ(list.listIndex, row) << key;
    }
}
