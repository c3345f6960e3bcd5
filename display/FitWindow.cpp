#include "display/FitWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

constexpr int ResultLines = 9;   // the sine fit's longest result without scrolling
constexpr int ResultDigits = 44; // its widest line, in the width of a digit

} // namespace

FitWindow::FitWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool), Models(new QComboBox(this)), Curves(new QComboBox(this)),
      Range(new QLabel(this)), Result(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("FitWindow"));
    setWindowTitle(tr("모델 맞춤"));
    Models->setObjectName(QStringLiteral("CmbFitModel"));
    Models->addItems({tr("직선"), tr("포물선"), tr("사인 (진자)")});
    Models->setAccessibleName(tr("맞춤 모델"));
    Curves->setObjectName(QStringLiteral("CmbFitCurve"));
    Curves->setAccessibleName(tr("맞출 곡선"));
    Range->setObjectName(QStringLiteral("StxtFitRange"));
    Result->setObjectName(QStringLiteral("TxtFitResult"));
    Result->setAccessibleName(tr("맞춤 결과"));
    Result->setOpenLinks(false);
    // A digit's width, not the average character's, which a Korean font makes a full square.
    Result->setMinimumSize(Result->fontMetrics().horizontalAdvance(QLatin1Char('0')) * ResultDigits,
                           Result->fontMetrics().lineSpacing() * ResultLines + 12);
    auto* copy = new QPushButton(tr("복사"), this);
    copy->setObjectName(QStringLiteral("BtnFitCopy"));
    connect(copy, &QPushButton::clicked, this, &FitWindow::Copy);
    auto* choices = new QFormLayout;
    choices->addRow(tr("모델"), Models);
    choices->addRow(tr("곡선"), Curves);
    auto* range = new QHBoxLayout;
    range->addWidget(Range, 1);
    range->addWidget(copy);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addLayout(range);
    layout->addWidget(Result);
    connect(Models, &QComboBox::activated, this, [this] {
        Curves->setEnabled(ChosenModel() != Model::Sine);
        emit ChoiceChanged();
    });
    connect(Curves, &QComboBox::activated, this, &FitWindow::ChoiceChanged);
}

FitWindow::Model FitWindow::ChosenModel() const {
    return static_cast<Model>(Models->currentIndex());
}

void FitWindow::ChooseModel(Model model) {
    Models->setCurrentIndex(static_cast<int>(model));
    Curves->setEnabled(model != Model::Sine);
}

void FitWindow::OfferCurves(const QStringList& titles, bool sineOffered) {
    const QString chosen = Curves->currentText();
    Curves->clear();
    Curves->addItems(titles);
    Curves->setCurrentIndex(std::max(0, static_cast<int>(titles.indexOf(chosen))));
    auto* models = qobject_cast<QStandardItemModel*>(Models->model());
    models->item(static_cast<int>(Model::Sine))->setEnabled(sineOffered);
    if (!sineOffered && ChosenModel() == Model::Sine) ChooseModel(Model::Line);
}

int FitWindow::ChosenCurve() const {
    return Curves->currentIndex();
}

void FitWindow::ShowResult(const QString& rangeText, const QStringList& lines) {
    Range->setText(rangeText);
    Result->setPlainText(lines.join('\n'));
    Result->setAccessibleDescription(lines.join(QStringLiteral(". ")));
}

QString FitWindow::ResultText() const {
    return Result->toPlainText();
}

// Esc closes the window as it closes a dialog.
void FitWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void FitWindow::Copy() {
    QApplication::clipboard()->setText(Range->text() + '\n' + ResultText());
}
