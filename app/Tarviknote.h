#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TForm2;
}

// The note window: reminds the user how velocity and angle are derived. Its text comes from
// "AccNote.rtf" in the current directory when that loads, else the built-in eleven lines; in
// English, from "AccNote_en.rtf" first.
// Give it the main window as parent: an owned dialog stays above its owner without floating
// over other programs.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    // Shows the window modeless, centred on the main window; a visible window is only
    // brought to the front. The first time, a note file that did not load is reported in a
    // box above the window, so that neither hides the other.
    void ShowNote(QWidget* mainWindow);
    bool NotShowChecked() const;
    // Why "AccNote.rtf" did not load, in Korean; empty when it loaded. Creation never blocks
    // on a dialog.
    QString LoadError() const { return Error; }

private:
    void FormCreate();
    void Button1Click();
    void ReportLoadError();

    std::unique_ptr<Ui::TForm2> ui;
    QString Error;
    QString ErrorDetail; // the system's reason
    bool ErrorReported = false;
};
