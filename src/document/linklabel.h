#pragma once
// Link (СС_) and label (МЕТ) tag lines: the ten link kinds, the builders of both lines and the
// rules of the two dialogs that ask the operator for them.

#include <array>
#include <string>
#include <string_view>

namespace norvak {

// A link kind: its three-letter code and the description the link dialog shows (CP1251).
struct LinkKind {
    std::string_view code;
    std::string_view description;
};

inline constexpr int kLinkKindCount = 10;
// In the order the link dialog lists them (not sorted).
const std::array<LinkKind, kLinkKindCount>& LinkKinds();
// "НУЛ", selected when the dialog opens.
inline constexpr int kDefaultLinkKind = 5;

// Marker, "СС_", code, "_", document number, "_" and line number when it is not 0, "-О" and
// "-П" for the keys, "#", "-" up to 66 characters, LF.
std::string BuildLinkLine(std::string_view kindCode, int documentNumber, int lineNumber, bool keyO,
                          bool keyP);

// LF, marker, "МЕТ", number, "#", "-" up to 66 characters counted from the marker, LF.
std::string BuildLabelText(int number);

// The link dialog's controls as texts.
struct LinkFields {
    int kind = kDefaultLinkKind; // index into LinkKinds()
    std::string documentNumber;  // digits as typed
    std::string lineNumber;      // empty or "0": no line
    bool keyO = false;
    bool keyP = false;
};
// OK is enabled while a document number is typed.
bool IsLinkOkEnabled(const LinkFields& fields);
// The link line of the fields on OK: numbers are the leading integers of their texts, 0 when
// empty; a kind out of range counts as "НУЛ".
std::string BuildLinkLine(const LinkFields& fields);

// The digits-only fields accept a typed text only when it holds nothing but digits.
bool IsDigitsOnly(std::string_view text);

// The label dialog on OK.
enum class LabelCheck {
    Ok,         // number holds the label number
    Zero,       // show LabelZeroMessage() and keep the dialog open
    NotInteger, // the field does not hold an integer: keep the dialog open
};
LabelCheck CheckLabelNumber(std::string_view text, int& number);
// OK is enabled while the field is not empty.
bool IsLabelOkEnabled(std::string_view text);
// "Вы должны задать число большее 0!" (CP1251), with an exclamation icon.
std::string_view LabelZeroMessage();

} // namespace norvak
