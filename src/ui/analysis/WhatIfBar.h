#pragma once
// もしも: the player fixes the first places of coming Grands Prix; the odds window recomputes from
// that future. Only drivers with a seat are offered, each once per race; the season is not touched.

#include <QWidget>
#include <functional>
#include <vector>

#include "standings/TitleField.h"

class QComboBox;
class QLabel;

namespace karven {
struct Season;
}

namespace karven::ui {

class WhatIfBar : public QWidget {
public:
    using Changed = std::function<void(const std::vector<FixedResult>&)>;
    WhatIfBar(const Season& season, Changed changed, QWidget* parent = nullptr);
    const std::vector<FixedResult>& Fixed() const { return fixed_; }

private:
    void Fix();
    void Clear();
    void Show();

    const Season& season_;
    Changed changed_;
    std::vector<FixedResult> fixed_;
    QComboBox* gp_;
    std::vector<QComboBox*> places_;
    QLabel* list_;
};

} // namespace karven::ui
