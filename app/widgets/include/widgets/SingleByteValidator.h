#pragma once

#include "base/Text.h"

#include <QValidator>

class QLineEdit;
class QWidget;

namespace trelvik {

// Composes letters and drops stress marks (NormaliseTypedText) and refuses, at the moment of typing or pasting,
// control characters and any character that a field's code page cannot hold, so that no text reaches the
// engine or a file silently altered. Invisible formatting characters
// (zero-width spaces and joiners, direction marks, byte-order marks, variation selectors) that the code page
// cannot hold are dropped instead: a pasted word keeps its meaning without them.
class SingleByteValidator : public QValidator {
    Q_OBJECT
public:
    explicit SingleByteValidator(CodePage codePage, QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;

signals:
    // An edit was refused because of character, the first one the code page cannot hold.
    void refused(const QString &character) const;

private:
    CodePage m_codePage;
};

// Tells the user at once, in a tooltip by the field that covers none of its window's controls, why what was
// typed or pasted did not go in.
void ShowRefusal(QWidget *field, const QString &message);

// What a field says when it refuses a character: a Russian letter in a field of Latin letters, a Latin letter
// in the Russian field (%1 is the letter), a character of neither code page (%1 again).
struct RefusalTexts {
    QString russianInLatinField;
    QString latinInRussianField;
    QString inNeither;
};

// Puts a SingleByteValidator of codePage on field, and has it say in a tooltip which text of texts applies to
// a refused character.
void GuardField(QLineEdit *field, CodePage codePage, RefusalTexts texts);

} // namespace trelvik
