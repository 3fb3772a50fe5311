#pragma once
// Windows as data: a form owns its controls as plain state and one handler per event.
// The front ends draw a form from this data and route their events to the handlers.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace karven {

struct Chart;
struct Strip;

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const Rect&) const = default;
};

constexpr uint32_t DefaultColor = 0xFFFFFFFFu; // "use the window's own colour"
// A highlighted label's text, bold, where the logic gave it no colour of its own.
constexpr uint32_t HighlightColor = 0x9A3B00;

// Document: a read-only text that scrolls, in simple HTML (headings, paragraphs, tables, and
// pictures named by their file's path). Chart: lines on axes (its `chart`). Tabs: the names of pages
// (`items`, their tips `itemTips`), the page shown its listIndex; the logic shows each page's controls.
enum class ControlKind { Label, Button, Menu, MenuItem, Separator, ListBox, TextBox, ComboBox, Picture, Document, Table, Chart, Tabs, Strip, Progress };
enum class Align { Left, Center, Right };

// How a control looks; never changed by the logic once the form is built.
struct Style {
    int fontSize = 0; // points; 0 = the window's font
    bool bold = false;
    Align align = Align::Left;
    bool border = false;   // a framed box
    bool wrap = false;     // labels: break long lines
    std::string breakAfter; // labels: a text too long for one line breaks after this first, not mid-word
    bool stretch = true;   // pictures: scale to the control's rectangle
    bool typed = true;     // drop-downs: the player may also type a text of their own
    uint32_t backColor = DefaultColor;
};

struct Control {
    std::string name;
    int index = -1; // element of a control array, or -1
    ControlKind kind = ControlKind::Label;
    Rect rect;
    Style style;
    std::string parent; // menu items and separators: the name of their menu
    char accessKey = 0; // menus and buttons: the key of the mnemonic ("&F"), added by the front end
    std::string group;  // menu items: the items of one group are radio items, one of them chosen
    std::string toolTip; // what the control does, shown when the pointer rests on it
    // A caption the window was built with, in Japanese, and what it showed last in the language of
    // the day: Localize() translates it again unless the logic has put a text of its own there since.
    std::string source, localized, toolTipSource;
    int localizedIn = -1; // the Language `localized` is in, -1 before the first translation
    std::string shortcut; // a key that presses the control, told at the end of its tool tip
    // The tool tip as last made, what it was made of and its language: a window shown again makes
    // it once.
    std::string toolTipLocalized, toolTipMadeFrom, toolTipShortcut;
    int toolTipLocalizedIn = -1;
    // What a screen reader calls the control where its caption does not say it: a picture's subject,
    // what an arrow button changes. Translated like the captions unless the logic wrote its own.
    std::string spoken, spokenSource, spokenLocalized;
    int spokenLocalizedIn = -1;
    std::string labelledBy; // text boxes, drop-downs, lists and tables: the label (its Key) naming them
    // Labels: a mark told beside the colour that also says it (a signed seat), so that the colour is
    // never the only sign; "" none.
    std::string mark;

    // State the logic reads and changes.
    std::string text; // caption of labels, buttons and menu items; text of text boxes and drop-downs
    // Text boxes: the most characters the player may type, 0 for no limit. A longer text the logic
    // puts there stays whole; the player can only shorten it.
    int maxLength = 0;
    uint32_t textColor = DefaultColor;
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    bool highlight = false; // labels: a row of the team the player runs, drawn apart
    uint32_t ShownColor() const { return highlight && textColor == DefaultColor ? HighlightColor : textColor; }
    std::vector<std::string> items; // list boxes, drop-downs and tabs
    std::vector<std::string> itemTips; // tabs: what each page shows
    int listIndex = -1;             // selected item (a table's row), -1 none
    // Tables: the column headings, their widths (0 shares what is left) and alignment, and the rows.
    struct Column {
        std::string heading;
        int width = 0;
        Align align = Align::Left;
    };
    std::vector<Column> columns;
    std::vector<std::string> columnSources; // the columns' headings in Japanese, once localized
    std::vector<std::vector<std::string>> rows;
    std::string picture; // the file a picture control shows; "" none; ":information" or ":question" a standard icon
    std::shared_ptr<const Chart> chart; // a chart control's lines; a new one when they change
    // A chart whose legend has check boxes: the lines drawn, one per line (empty: no check boxes).
    std::vector<bool> checks;
    std::shared_ptr<const Strip> strip; // a strip control's cells; a new one when they change
    int value = 0, maximum = 100; // progress bars: how far along, of how much

    // Events.
    std::function<void()> onClick;
    std::function<void()> onChange;
    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;

    std::string Key() const; // "lbl1(5)" or "cmdOK"
};

// The control's tool tip in the language of the day, its shortcut told at the end.
std::string ToolTipText(const Control& c);

// Labels laid out as a table (the results grid): they keep their places and the logic writes them
// as ever; a screen reader and the arrow keys read them by rows and columns.
struct LabelTable {
    std::string name;
    const Control* title = nullptr; // the label naming the table, when one does
    std::string spoken, spokenSource, spokenLocalized; // else its name, translated like captions
    std::string shortcut = "Ctrl+G"; // the key that puts the keyboard in the table
    struct Column {
        const Control* heading = nullptr; // the label over the column, if any
        std::string spoken, spokenSource, spokenLocalized; // else what the column holds
    };
    std::vector<Column> columns;
    std::vector<std::vector<Control*>> cells; // [row][column]; one label may fill two rows
};

class Form {
public:
    explicit Form(std::string name, std::string caption = "");
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Name() const { return name_; }
    std::string caption;
    Rect geometry; // width and height are the natural size; left and top set by placement
    // Puts the window's top left corner there; a window never placed opens over the main window.
    void Place(int left, int top) {
        geometry.left = left;
        geometry.top = top;
        placed_ = true;
    }
    bool IsPlaced() const { return placed_; }

    // Keyboard: Enter presses the default button, Esc the cancel button.
    std::string defaultButton;
    std::string cancelButton;
    // Further keys that press a button: "Up", "Down", "Left", "Right", "PageUp", "PageDown" or a
    // capital letter, with the button's name.
    std::vector<std::pair<std::string, std::string>> keyButtons;
    // The control the keyboard focus moves to when the window is next drawn; the front end clears it.
    std::string focusRequest;
    // A window that closes by itself through its default button after this many milliseconds,
    // unless the player touches it first; 0 waits for the player.
    int autoCloseMs = 0;
    // The player may resize the window, and its controls scale with it; message windows keep
    // the size they open at.
    bool resizable = true;
    // Where the window's columns begin, left to right after the first: a screen too narrow for
    // the window may show them one below the other. None: the window is one piece.
    std::vector<int> columnStarts;
    // What a screen reader calls the window where its caption is blank or does not say enough.
    std::string spokenCaption;
    // Short texts the front end speaks or shows as a status as soon as it next draws the window
    // (the result of a race, who signed where); it empties the queue.
    std::vector<std::string> announcements;
    void Announce(std::string text) {
        if (!text.empty()) announcements.push_back(std::move(text));
    }
    std::vector<LabelTable> labelTables;

    Control& Add(ControlKind kind, std::string name, int index, Rect rect, std::string text = "");
    Control& Add(ControlKind kind, std::string name, Rect rect, std::string text = "") {
        return Add(kind, std::move(name), -1, rect, std::move(text));
    }

    // The control of that name and index; throws std::out_of_range when there is none.
    Control& operator()(std::string_view name, int index = -1);
    const Control& operator()(std::string_view name, int index = -1) const;
    Control* Find(std::string_view name, int index = -1);
    std::deque<Control>& Controls() { return controls_; }
    const std::deque<Control>& Controls() const { return controls_; }

    // The window's own captions in the current language: those it was built with, not the texts the
    // logic wrote since. Runs before every showing; again after the language changes.
    void Localize();

    // Form_Load: runs each time the window is shown, before it appears.
    virtual void Load() {}
    // The close box of the window frame; the default closes like a plain OK.
    virtual void QueryClose() { Close(); }

    // Presses a button or menu item, as a click would; nothing when it is disabled.
    void Click(std::string_view name, int index = -1);

    void Close() { closed_ = true; }
    bool IsClosed() const { return closed_; }
    // Called by the platform when the window is about to be shown.
    void Open() {
        closed_ = false;
        Load();
    }

private:
    std::string name_;
    std::string captionSource_, captionLocalized_;
    int captionLocalizedIn_ = -1;
    bool placed_ = false;
    std::deque<Control> controls_;
    bool closed_ = false;
    // Big forms (the main window) look names up through an index built on first use.
    std::unordered_map<std::string_view, std::vector<Control*>> byName_;
    size_t indexed_ = 0;
};

// A caption with its key marked ("強調表示(&H)：", "&Highlight:") as a label shows it, and the key:
// "強調表示(H)：" and 'H', "Highlight:" and 'H'; 0 where none is marked.
std::pair<std::string, char> SplitAccessKey(std::string_view caption);

// Against the main window's right edge, at its top.
void PlaceTopRight(Form& form, const Rect& main);

} // namespace karven
