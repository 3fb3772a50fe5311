#pragma once
// A strip control: a row of coloured cells with their letters and, under a few, their numbers.

#include <QWidget>
#include <memory>

#include "shell/Strip.h"

namespace karven::ui {

class FormStrip : public QWidget {
public:
    explicit FormStrip(QWidget* parent);
    void Show(const std::shared_ptr<const Strip>& strip);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    std::shared_ptr<const Strip> strip_;
};

} // namespace karven::ui
