#pragma once
// Pages of controls under a tab control: the page the tabs show has its controls shown, the others'
// are hidden. The front ends switch the page by the tabs, and Ctrl+Tab from anywhere in the window.

#include <string>
#include <vector>

#include "shell/Form.h"

namespace karven {

class TabPages {
public:
    // The tabs are named `name`; their pages follow by AddPage, the first shown.
    TabPages(Form& form, std::string name, Rect rect);
    TabPages(const TabPages&) = delete;
    TabPages& operator=(const TabPages&) = delete;

    // A page with its title and tip, in Japanese; its controls follow by Put.
    void AddPage(const char* title, const char* tip);
    // The control on page `page` (and shown with it).
    Control& Put(int page, Control& control);
    void Show(int page);
    int Shown() const { return tabs_.listIndex; }
    Control& Tabs() { return tabs_; }

private:
    Control& tabs_;
    std::vector<std::vector<Control*>> pages_;
};

} // namespace karven
