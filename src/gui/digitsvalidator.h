#pragma once
// A validator for fields that take only digits as they are typed.

#include <QValidator>

namespace norvak {

// Accepts a text of nothing but ASCII digits (the empty text included).
class CDigitsValidator : public QValidator {
    Q_OBJECT
public:
    explicit CDigitsValidator(QObject* parent = nullptr) : QValidator(parent) {}
    State validate(QString& input, int& pos) const override;
};

} // namespace norvak
