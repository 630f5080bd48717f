#include "ui/about/FormAbout.h"

#include "ui/controls/ControlFactory.h"
#include "ui/about/FormAboutLayout.h"
#include "ui/about/InformationTexts.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWindow>

namespace korvane::ui {

FormAbout::FormAbout(QWidget* mainWindow) : QWidget(nullptr, Qt::Dialog), mainWindow_(mainWindow)
{
    // No parent widget: a child window would be disabled with the main
    // window. The transient parent keeps the box above it all the same.
    setObjectName(QStringLiteral("formAbout"));
    setWindowTitle(QLatin1String(kFormAboutCaption));
    setFixedSize(twipsToPixels(kFormAboutWidth), twipsToPixels(kFormAboutHeight));
    const QFont windowFont = designedFont(kFormAboutFont);
    setFont(windowFont);
    buildControls(this, formAboutControls(), windowFont);
    create();
    windowHandle()->setTransientParent(mainWindow->windowHandle());
    move(mainWindow->frameGeometry().center() - rect().center());

    // The boxes overlap in height: each shows its line centred along its top
    // edge, without a border, so that the lines read as one notice. They
    // wrap, since the description is wider than its box.
    for (int index = 0; index < kText1Count; ++index) {
        QPlainTextEdit* box = text1(index);
        box->setFrameShape(QFrame::NoFrame);
        box->document()->setDocumentMargin(0);
        QTextOption centred = box->document()->defaultTextOption();
        centred.setAlignment(Qt::AlignHCenter);
        box->document()->setDefaultTextOption(centred);
    }
    connect(findChild<QPushButton*>(QStringLiteral("cmdOK")), &QPushButton::clicked, this, &FormAbout::cmdOK_Click);
    Form_Load();
}

QPlainTextEdit* FormAbout::text1(int index) const
{
    return findChild<QPlainTextEdit*>(QStringLiteral("Text1_%1").arg(index));
}

void FormAbout::Form_Load()
{
    const std::array<QString, kText1Count> lines = infotexts::aboutLines();
    for (int index = 0; index < kText1Count; ++index)
        text1(index)->setPlainText(lines[index]);
}

void FormAbout::cmdOK_Click()
{
    close();
}

void FormAbout::closeEvent(QCloseEvent* event)
{
    hide();
    deleteLater();
    if (mainWindow_)
        mainWindow_->setEnabled(true);
    event->accept();
}

} // namespace korvane::ui
