#pragma once

#include "engine/Text.h"

#include <QValidator>

namespace trelvik {

// Drops stress marks and refuses, at the moment of typing or pasting, any character that a field's code page cannot hold,
// so that no text reaches the engine or a file silently altered.
class SingleByteValidator : public QValidator {
    Q_OBJECT
public:
    explicit SingleByteValidator(CodePage codePage, QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;

private:
    CodePage m_codePage;
};

} // namespace trelvik
