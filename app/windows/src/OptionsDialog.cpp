#include "windows/OptionsDialog.h"

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

// The Qt object name of every control, by role. They are set from here and nowhere else: screen-reader scripts,
// style sheets and the tests know the controls by these names, so they never change.
constexpr struct {
    const char *window = "OptionsF";
    const char *cancelButton = "Command1";
    const char *okButton = "Command2";
    const char *synonymsBox = "Check2";
    const char *synonymsCaption = "Check2Caption";
    const char *userDictFrame = "Frame1";
    const char *countCaption = "Label1";
    const char *countLabel = "Label2";
    const char *useUserDictBox = "Check1";
    const char *addWordsButton = "Command3";
} kNames;

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

OptionsDialog::OptionsDialog(ProgramValues &values, std::function<void(QWidget *over)> openAddWords, QWidget *parent)
    : KeptDialog(parent, kFixedDialogFlags), m_values(values), m_openAddWords(std::move(openAddWords))
{
    SetUpFixedDialog(this, kNames.window, QStringLiteral("Dictionary / Options"), 3660, 3570, DialogFont());

    createControls();
    loadCount();
}

void OptionsDialog::createControls()
{
    // Created bottom of the stacking order first, so that a later control covers an earlier one.
    m_cancelButton =
        NamedChild<QPushButton>(this, kNames.cancelButton, Twips(1920, 3000, 1455, 375), QStringLiteral("Cancel"));
    m_okButton = NamedChild<QPushButton>(this, kNames.okButton, Twips(120, 3000, 1455, 375), QStringLiteral("OK"));

    // The caption is far longer than one line of the box, so it wraps in a label of its own beside an
    // indicator-only check box, using the free height between the frame and the buttons.
    const QRect synonymsArea = Twips(240, 2400, 3135, 375);
    m_synonymsBox = NamedChild<QCheckBox>(this, kNames.synonymsBox, synonymsArea);
    m_synonymsBox->setChecked(true);
    m_synonymsBox->setAccessibleName(
        QStringLiteral("Find synonyms and some similar words which can contain the translating word."));
    const int indicator = m_synonymsBox->sizeHint().width();
    m_synonymsBox->setGeometry(synonymsArea.left(), synonymsArea.center().y() - synonymsArea.height() / 2, indicator,
                               synonymsArea.height());
    m_synonymsCaption = NamedChild<QLabel>(this, kNames.synonymsCaption,
                                           QRect(synonymsArea.left() + indicator + 2, synonymsArea.center().y() - 22,
                                                 synonymsArea.width() - indicator - 2, 45),
                                           m_synonymsBox->accessibleName());
    m_synonymsCaption->setWordWrap(true);
    m_synonymsCaption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_synonymsCaption->installEventFilter(new ToggleOnClick(m_synonymsBox, m_synonymsCaption));

    m_userDictFrame = NamedChild<QGroupBox>(this, kNames.userDictFrame, Twips(120, 240, 3375, 1935),
                                            QStringLiteral("User dictionary"));

    m_countCaption = NamedChild<QLabel>(m_userDictFrame, kNames.countCaption, Twips(120, 960, 2775, 375),
                                        QStringLiteral("Now in user dictionary:"));
    m_countCaption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_countLabel = NamedChild<QLabel>(m_userDictFrame, kNames.countLabel, Twips(1800, 960, 1095, 255),
                                      QStringLiteral("0 word(s)"));
    m_countLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The count lies over the end of its caption; a small indent keeps the colon and the count apart.
    m_countLabel->setIndent(4);
    m_countLabel->setAccessibleDescription(m_countCaption->text());
    m_useUserDictBox = NamedChild<WholeBoxButton<QCheckBox>>(
        m_userDictFrame, kNames.useUserDictBox, Twips(360, 360, 2175, 375), QStringLiteral("Use user dictionary"));
    m_useUserDictBox->setChecked(true);
    m_addWordsButton = NamedChild<QPushButton>(m_userDictFrame, kNames.addWordsButton, Twips(120, 1320, 3015, 375),
                                               QStringLiteral("Add words to User dictionary"));

    SetTabChain({m_cancelButton, m_okButton, m_synonymsBox, m_useUserDictBox, m_addWordsButton});
    m_cancelButton->setFocus();

    connect(m_okButton, &QPushButton::clicked, this, &OptionsDialog::storeOptions);
    connect(m_cancelButton, &QPushButton::clicked, this, &OptionsDialog::reject);
    connect(m_addWordsButton, &QPushButton::clicked, this, [this] {
        if (m_openAddWords)
            m_openAddWords(this);
    });
}

void OptionsDialog::loadCount()
{
    std::int32_t count = 0;
    const UserDictResult result = ReadUserDictCount(m_values.env.userDictPath, count);
    if (!result) {
        // The count is unknown, not zero: say why before the window opens with "0 word(s)".
        count = 0;
        ShowMessage(parentWidget(), FromEngineMessage(result.error));
    }
    m_values.userDictCount = count < 1 ? 0 : count;
    m_countLabel->setText(QString::number(m_values.userDictCount) + QStringLiteral(" word(s)"));
}

void OptionsDialog::storeOptions()
{
    m_values.useUserDict = m_useUserDictBox->isChecked();
    m_values.findSynonyms = m_synonymsBox->isChecked();
    accept();
}

} // namespace trelvik
