#include "SingleByteValidator.h"

#include "qtedge/QtText.h"

namespace trelvik {

SingleByteValidator::SingleByteValidator(CodePage codePage, QObject *parent)
    : QValidator(parent), m_codePage(codePage)
{
}

QValidator::State SingleByteValidator::validate(QString &input, int &pos) const
{
    DropStressMarks(input, &pos);
    return FitsCodePage(input, m_codePage) ? Acceptable : Invalid;
}

} // namespace trelvik
