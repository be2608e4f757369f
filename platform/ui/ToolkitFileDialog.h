// CToolkitFileDialog: the toolkit's file dialog as the program shows it. Always the toolkit's own
// dialog, never the desktop's, so it speaks the program's language rather than the desktop's; its
// sizes and dates follow the language (the toolkit would word them in the system's locale), and
// it opens wide enough that the size and date columns are read whole.
#pragma once

#include <QFileDialog>

class CToolkitFileDialog : public QFileDialog {
public:
    CToolkitFileDialog(QWidget* parent, const QString& caption, const QString& start, const QString& filter);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Size and date columns as wide as their longest texts in the current language.
    void FitColumns();
};
