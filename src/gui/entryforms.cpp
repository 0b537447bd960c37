#include "entryforms.h"

namespace norvak {

QStringList GenderNames() {
    return {QStringLiteral("Мужской род"), QStringLiteral("Женский род"),
            QStringLiteral("Средний род")};
}

EntryFormLayout KindFormSpec() {
    EntryFormLayout s;
    s.title = QStringLiteral("Внести в словарь видов документов");
    s.gender = true;
    s.genderLabel = QStringLiteral("Род вида документа");
    s.quote = true;
    s.quoteLabel = QStringLiteral("Название документа заносить в скобку");
    return s;
}

EntryFormLayout KindAliasFormSpec() {
    EntryFormLayout s;
    s.title = QStringLiteral("Новый псевдоним");
    return s;
}

EntryFormLayout OrganFormSpec() {
    EntryFormLayout s;
    s.title = QStringLiteral("Внести в словарь принявших органов");
    s.genitive = true;
    s.letterCase = true;
    s.letterCaseLabel = QStringLiteral("Принявший орган с учётом регистра");
    return s;
}

EntryFormLayout OrganAliasFormSpec() {
    EntryFormLayout s;
    s.title = QStringLiteral("Новый псевдоним");
    s.genitive = true;
    return s;
}

} // namespace norvak
