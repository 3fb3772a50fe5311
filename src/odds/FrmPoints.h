#pragma once
// ポイント推移: the points of the best drivers and of the teams, added up Grand Prix by Grand Prix,
// a chart per page. Team-mates share their machine's colour and differ by line and marker; one line
// can be picked out, from the list above the chart or by its legend entry. It never changes the season.

#include <memory>

#include "shell/Form.h"
#include "shell/TabPages.h"

namespace karven {

class Shell;

class FrmPoints : public Form {
public:
    explicit FrmPoints(Shell& shell);

private:
    void AddPage(Shell& shell, int page);

    TabPages pages_;
};

// Modal over the main window.
void ShowPoints(Shell& shell);

} // namespace karven
