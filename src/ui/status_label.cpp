#include "ui/status_label.h"

StatusLabel::StatusLabel(QWidget* parent) : QLabel(parent) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void StatusLabel::Show(const QString& text, const QString& more) {
    full_ = text;
    setToolTip(more);
    Fit();
}

void StatusLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Fit();
}

void StatusLabel::Fit() {
    setText(fontMetrics().elidedText(full_, Qt::ElideMiddle, width()));
}
