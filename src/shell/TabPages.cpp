#include "shell/TabPages.h"

#include "season/Translate.h"

namespace karven {

TabPages::TabPages(Form& form, std::string name, Rect rect) : tabs_(form.Add(ControlKind::Tabs, std::move(name), rect)) {
    tabs_.listIndex = 0;
    tabs_.onClick = [this] { Show(tabs_.listIndex); };
}

void TabPages::AddPage(const char* title, const char* tip) {
    tabs_.items.push_back(Tr(title));
    tabs_.itemTips.push_back(Tr(tip));
    pages_.emplace_back();
}

Control& TabPages::Put(int page, Control& control) {
    pages_.at(size_t(page)).push_back(&control);
    control.visible = page == tabs_.listIndex;
    return control;
}

void TabPages::Show(int page) {
    if (page < 0 || page >= int(pages_.size())) return;
    tabs_.listIndex = page;
    for (size_t p = 0; p < pages_.size(); ++p)
        for (Control* c : pages_[p]) c->visible = int(p) == page;
}

} // namespace karven
