#pragma once
// "页面设置": how the songbook is printed and exported — the paper, the margins, the lyric's
// size, songs on pages of their own, a booklet.

#include <QDialog>
#include <optional>

#include "print/print_options.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;

class PageSetupDialog : public QDialog {
    Q_OBJECT

public:
    PageSetupDialog(QWidget* parent, const velmora::PrintOptions& options);

    velmora::PrintOptions Options() const;

    // The options confirmed, or none when cancelled.
    static std::optional<velmora::PrintOptions> Ask(QWidget* parent,
                                                    const velmora::PrintOptions& options);

private:
    QComboBox* paper_ = nullptr;
    QDoubleSpinBox* margin_ = nullptr;
    QDoubleSpinBox* size_ = nullptr;
    QCheckBox* newPages_ = nullptr;
    QCheckBox* booklet_ = nullptr;
};
