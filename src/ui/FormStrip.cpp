#include "ui/FormStrip.h"

#include <QPainter>
#include <algorithm>

#include "ui/FormView.h"
#include "ui/FormViewParts.h"

namespace karven::ui {

namespace {
constexpr int CellWidth = 20, CellHeight = 18, Height = 34, CaptionWidth = 56;
} // namespace

FormStrip::FormStrip(QWidget* parent) : QWidget(parent) { setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed); }

void FormStrip::Show(const std::shared_ptr<const Strip>& strip) {
    if (strip == strip_) return;
    strip_ = strip;
    update();
}

QSize FormStrip::sizeHint() const { return {(strip_ ? int(strip_->cells.size()) : 0) * CellWidth + 80, Height}; }
QSize FormStrip::minimumSizeHint() const { return {200, Height}; }

void FormStrip::paintEvent(QPaintEvent*) {
    if (!strip_) return;
    QPainter p(this);
    const std::vector<StripCell>& cells = strip_->cells;
    const int n = int(cells.size());
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QRect(0, 0, CaptionWidth, CellHeight), Qt::AlignLeft | Qt::AlignVCenter, ToQt(strip_->caption));
    // The cells share the width left, at most CellWidth each.
    const double cell = std::min<double>(CellWidth, double(width() - CaptionWidth - 2) / std::max(n, 1));
    for (int i = 0; i < n; ++i) {
        const QRectF box(CaptionWidth + i * cell, 0, cell - 1, CellHeight);
        p.fillRect(box, detail::ToColor(cells[size_t(i)].colour));
        if (!cells[size_t(i)].below.empty())
            p.drawText(QRectF(box.center().x() - 20, CellHeight + 1, 40, Height - CellHeight - 1), Qt::AlignHCenter | Qt::AlignTop,
                       ToQt(cells[size_t(i)].below));
    }
    // The letter in each cell where it fits, else once over a stretch of the same cells wide
    // enough for it, so that the colour is never the only sign.
    for (int from = 0; from < n;) {
        int to = from;
        while (to + 1 < n && cells[size_t(to + 1)].letter == cells[size_t(from)].letter) ++to;
        const QString letter = ToQt(cells[size_t(from)].letter);
        const double letterWidth = p.fontMetrics().horizontalAdvance(letter) + 2;
        p.setPen(detail::ToColor(cells[size_t(from)].letterColour));
        if (cell >= letterWidth) {
            for (int i = from; i <= to; ++i) p.drawText(QRectF(CaptionWidth + i * cell, 0, cell - 1, CellHeight), Qt::AlignCenter, letter);
        } else if ((to - from + 1) * cell >= letterWidth) {
            p.drawText(QRectF(CaptionWidth + from * cell, 0, (to - from + 1) * cell - 1, CellHeight), Qt::AlignCenter, letter);
        }
        from = to + 1;
    }
}

} // namespace karven::ui
