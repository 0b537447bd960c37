#include "entrydictdlg.h"

#include "textcodec.h"

#include <QStringList>

namespace norvak {

QString AliasNominatives(const std::vector<CCases>& aliases) {
    QStringList names;
    for (const CCases& a : aliases)
        names << BytesToQString(a.Form(CaseNominative));
    return names.join(QStringLiteral(", "));
}

} // namespace norvak
