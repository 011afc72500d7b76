#include "windows/OptionsF.h"

#include "qttext/QtText.h"
#include "userdict/UserDictFile.h"
#include "widgets/MessageBox.h"
#include "widgets/WholeBoxButton.h"
#include "widgets/WindowLook.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>

namespace trelvik {

namespace {

// Lets a click on a caption label toggle its check box, as a click on a check box's own text does.
class ToggleOnClick : public QObject {
public:
    ToggleOnClick(QCheckBox *box, QObject *parent) : QObject(parent), m_box(box) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton
            && m_box->isEnabled()) {
            m_box->toggle();
            m_box->setFocus(Qt::MouseFocusReason);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QCheckBox *m_box;
};

} // namespace

OptionsF::OptionsF(ProgramValues &values, std::function<void(QWidget *over)> openAddWords, QWidget *parent)
    : QDialog(parent, kFixedDialogFlags), m_values(values), m_openAddWords(std::move(openAddWords))
{
    SetUpFixedDialog(this, "OptionsF", QStringLiteral("Dictionary / Options"), 3660, 3570, DialogFont());

    createControls();
    loadCount();
}

void OptionsF::createControls()
{
    // Created bottom of the stacking order first, so that a later control covers an earlier one.
    m_command1 = NamedChild<QPushButton>(this, "Command1", Twips(1920, 3000, 1455, 375), QStringLiteral("Cancel"));
    m_command2 = NamedChild<QPushButton>(this, "Command2", Twips(120, 3000, 1455, 375), QStringLiteral("OK"));

    // The caption is far longer than one line of the box, so it wraps in a label of its own beside an
    // indicator-only check box, using the free height between the frame and the buttons.
    const QRect check2Box = Twips(240, 2400, 3135, 375);
    m_check2 = NamedChild<QCheckBox>(this, "Check2", check2Box);
    m_check2->setChecked(true);
    m_check2->setAccessibleName(
        QStringLiteral("Find synonyms and some similar words which can contain the translating word."));
    const int indicator = m_check2->sizeHint().width();
    m_check2->setGeometry(check2Box.left(), check2Box.center().y() - check2Box.height() / 2, indicator,
                          check2Box.height());
    m_check2Caption = NamedChild<QLabel>(
        this, "Check2Caption",
        QRect(check2Box.left() + indicator + 2, check2Box.center().y() - 22, check2Box.width() - indicator - 2, 45),
        m_check2->accessibleName());
    m_check2Caption->setWordWrap(true);
    m_check2Caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_check2Caption->installEventFilter(new ToggleOnClick(m_check2, m_check2Caption));

    m_frame1 = NamedChild<QGroupBox>(this, "Frame1", Twips(120, 240, 3375, 1935), QStringLiteral("User dictionary"));

    m_label1 =
        NamedChild<QLabel>(m_frame1, "Label1", Twips(120, 960, 2775, 375), QStringLiteral("Now in user dictionary:"));
    m_label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label2 = NamedChild<QLabel>(m_frame1, "Label2", Twips(1800, 960, 1095, 255), QStringLiteral("0 word(s)"));
    m_label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Label2 lies over the end of Label1's caption; a small indent keeps the colon and the count apart.
    m_label2->setIndent(4);
    m_label2->setAccessibleDescription(m_label1->text());
    m_check1 = NamedChild<WholeBoxButton<QCheckBox>>(m_frame1, "Check1", Twips(360, 360, 2175, 375),
                                                     QStringLiteral("Use user dictionary"));
    m_check1->setChecked(true);
    m_command3 = NamedChild<QPushButton>(m_frame1, "Command3", Twips(120, 1320, 3015, 375),
                                         QStringLiteral("Add words to User dictionary"));

    SetTabChain({m_command1, m_command2, m_check2, m_check1, m_command3});
    m_command1->setFocus();

    connect(m_command2, &QPushButton::clicked, this, &OptionsF::storeOptions);
    connect(m_command1, &QPushButton::clicked, this, &OptionsF::hide);
    connect(m_command3, &QPushButton::clicked, this, [this] {
        if (m_openAddWords)
            m_openAddWords(this);
    });
}

void OptionsF::loadCount()
{
    std::int32_t count = 0;
    const UserDictResult result = ReadUserDictCount(m_values.env.userDictPath, count);
    if (!result) {
        // The count is unknown, not zero: say why before the window opens with "0 word(s)".
        count = 0;
        ShowMessage(parentWidget(), FromEngineMessage(result.error));
    }
    m_values.userDictCount = count < 1 ? 0 : count;
    m_label2->setText(QString::number(m_values.userDictCount) + QStringLiteral(" word(s)"));
}

void OptionsF::storeOptions()
{
    m_values.useUserDict = m_check1->isChecked();
    m_values.findSynonyms = m_check2->isChecked();
    hide();
}

void OptionsF::reject()
{
    hide();
}

} // namespace trelvik
