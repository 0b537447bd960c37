#include "digitsvalidator.h"

#include "document/linklabel.h"

namespace norvak {

QValidator::State CDigitsValidator::validate(QString& input, int& /*pos*/) const {
    return IsDigitsOnly(input.toStdString()) ? Acceptable : Invalid;
}

} // namespace norvak
