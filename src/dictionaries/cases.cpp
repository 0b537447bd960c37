#include "dictionaries/cases.h"

#include "dictionaries/archive.h"

namespace norvak {

void CCases::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        for (const std::string& form : m_forms)
            ar.PutString(form);
        ar.PutInt32(m_value);
        return;
    }
    for (std::string& form : m_forms)
        form = ar.GetString();
    m_value = ar.GetInt32();
}

} // namespace norvak
