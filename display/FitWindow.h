#pragma once

#include <QStringList>
#include <QWidget>

class QComboBox;
class QLabel;
class QTextBrowser;

// The window of a model fitted over the marked range: which model (a line, a parabola or the
// pendulum's sine fit) and which of the page's curves, then the result as selectable text, each
// parameter with its 95 % interval and unit, which can be copied and which a screen reader reads.
// It stays beside the main window without blocking it; its choices ask for a new fit.
class FitWindow : public QWidget {
    Q_OBJECT
public:
    enum class Model { Line, Parabola, Sine };

    explicit FitWindow(QWidget* parent);

    Model ChosenModel() const;
    void ChooseModel(Model model);
    // The page's curves by title; the one chosen stays chosen while it is offered. The sine fit
    // reads the pendulum's own axis and is offered on that page alone.
    void OfferCurves(const QStringList& titles, bool sineOffered);
    int ChosenCurve() const;

    void ShowResult(const QString& rangeText, const QStringList& lines);
    QString ResultText() const;

signals:
    void ChoiceChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Copy();

    QComboBox* Models;
    QComboBox* Curves;
    QLabel* Range;
    QTextBrowser* Result;
};
