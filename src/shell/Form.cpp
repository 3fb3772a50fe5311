#include "shell/Form.h"

#include <stdexcept>

#include "season/Translate.h"

namespace karven {

std::string Control::Key() const {
    return index < 0 ? name : name + "(" + std::to_string(index) + ")";
}

Form::Form(std::string name, std::string caption) : caption(std::move(caption)), name_(std::move(name)) {}

Control& Form::Add(ControlKind kind, std::string name, int index, Rect rect, std::string text) {
    indexed_ = 0; // the name index is rebuilt on the next lookup
    Control& c = controls_.emplace_back();
    c.kind = kind;
    c.name = std::move(name);
    c.index = index;
    c.rect = rect;
    c.text = std::move(text);
    return c;
}

Control* Form::Find(std::string_view name, int index) {
    constexpr size_t SmallForm = 16;
    if (controls_.size() <= SmallForm) {
        for (Control& c : controls_)
            if (c.index == index && c.name == name) return &c;
        return nullptr;
    }
    if (indexed_ != controls_.size()) {
        byName_.clear();
        for (Control& c : controls_) byName_[c.name].push_back(&c);
        indexed_ = controls_.size();
    }
    auto it = byName_.find(name);
    if (it == byName_.end()) return nullptr;
    for (Control* c : it->second)
        if (c->index == index) return c;
    return nullptr;
}

Control& Form::operator()(std::string_view name, int index) {
    if (Control* c = Find(name, index)) return *c;
    throw std::out_of_range(name_ + " has no control " + std::string(name) +
                            (index < 0 ? "" : "(" + std::to_string(index) + ")"));
}

const Control& Form::operator()(std::string_view name, int index) const {
    return const_cast<Form&>(*this)(name, index);
}

namespace {
// Captures the Japanese text the first time, then translates it unless the logic changed it since.
// `in`, where kept: the language `localized` is in; a text already translated to the language of the
// day reads as it should, without asking the catalogue again.
void LocalizeText(std::string& text, std::string& source, std::string& localized, int* in = nullptr) {
    const int language = int(CurrentLanguage());
    if (source.empty()) {
        if (text.empty()) return;
        source = text;
    } else if (text != localized) {
        return; // the logic's own text now, already in the language of the day
    } else if (in && *in == language) {
        return;
    }
    const char* translated = Tr(source.c_str());
    if (in) *in = language;
    if (localized == translated) return; // shown again in the same language: nothing to write
    text = localized = translated;
}
} // namespace

std::string ToolTipText(const Control& c) {
    const std::string& tip = c.toolTipSource.empty() ? c.toolTip : c.toolTipSource;
    if (c.shortcut.empty()) return Tr(tip.c_str());
    return TrF("{1}（キー {2}）", Tr(tip.c_str()), c.shortcut);
}

namespace {
// The tip made again only when what it is made of changed; whatever else was written over it, it
// shows again.
void LocalizeToolTip(Control& c) {
    const int language = int(CurrentLanguage());
    if (c.toolTipLocalizedIn != language || c.toolTipMadeFrom != c.toolTipSource || c.toolTipShortcut != c.shortcut) {
        c.toolTipLocalized = ToolTipText(c);
        c.toolTipLocalizedIn = language;
        c.toolTipMadeFrom = c.toolTipSource;
        c.toolTipShortcut = c.shortcut;
    }
    if (c.toolTip != c.toolTipLocalized) c.toolTip = c.toolTipLocalized;
}
} // namespace

void Form::Localize() {
    LocalizeText(caption, captionSource_, captionLocalized_, &captionLocalizedIn_);
    for (Control& c : controls_) {
        LocalizeText(c.text, c.source, c.localized, &c.localizedIn);
        LocalizeText(c.spoken, c.spokenSource, c.spokenLocalized, &c.spokenLocalizedIn);
        if (c.toolTipSource.empty()) c.toolTipSource = c.toolTip;
        if (!c.toolTipSource.empty()) LocalizeToolTip(c);
        if (c.columnSources.size() != c.columns.size()) { // new columns: their headings are the source
            c.columnSources.clear();
            for (const Control::Column& column : c.columns) c.columnSources.push_back(column.heading);
        }
        for (size_t i = 0; i < c.columns.size(); ++i) c.columns[i].heading = Tr(c.columnSources[i].c_str());
    }
    for (LabelTable& t : labelTables) {
        LocalizeText(t.spoken, t.spokenSource, t.spokenLocalized);
        for (LabelTable::Column& column : t.columns)
            LocalizeText(column.spoken, column.spokenSource, column.spokenLocalized);
    }
}

void Form::Click(std::string_view name, int index) {
    Control& c = (*this)(name, index);
    if (c.enabled && c.onClick) c.onClick();
}

std::pair<std::string, char> SplitAccessKey(std::string_view caption) {
    const size_t at = caption.find('&');
    if (at == std::string_view::npos || at + 1 >= caption.size()) return {std::string(caption), 0};
    const char key = caption[at + 1];
    std::string shown(caption.substr(0, at));
    shown += caption.substr(at + 1);
    // "(H)" stays where the caption names its key apart; "&Highlight" shows its word alone.
    return {shown, char(key >= 'a' && key <= 'z' ? key - 'a' + 'A' : key)};
}

void PlaceTopRight(Form& form, const Rect& main) {
    form.Place(main.left + main.width - form.geometry.width, main.top);
}

} // namespace karven
