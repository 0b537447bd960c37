#pragma once
// The rows of the requisites panel without any window: caption rows and value rows built from
// a requisite record, collected back into one, and the rules of inserting, deleting, moving
// and committing values. The panel's list shows these rows.

#include "requisites/requisiterecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace norvak {

// Bits of a row's data word.
enum RowBits : std::uint32_t {
    kRowCaption = 0x1,
    kRowSingle = 0x4,
    kRowDate = 0x10,
    kRowText = 0x20,
    kRowDigits = 0x40,
    kRowDictList = 0x80,
    kRowStatus = 0x2000,
    kRowSources = 0x10000,
    kRowKindsDict = 0x40000,
    kRowOrgansDict = 0x80000,
    kRowThemes = 0x4000000,
};

// The editor a caption's bits choose, in the order the bits are tested.
enum class RowEditor { None, DictList, Themes, Sources, Status, Text, Digits, Date };

// One row: its CP1251 text and its data word (0 for a value row).
struct RequisiteRow {
    std::string text;
    std::uint32_t data = 0;
    bool operator==(const RequisiteRow&) const = default;
};

// A caption of the panel: its text (UTF-8), its data word and the requisite it stands for.
struct RequisiteCaption {
    const char* caption;
    std::uint32_t data;
    RequisiteId id;
};
// The seventeen captions in row order.
const std::vector<RequisiteCaption>& RequisiteCaptions();

RowEditor EditorFor(std::uint32_t captionData);

// The panel's rows over a private copy of the record (only its status is kept up to date
// while editing; everything else lives in the rows).
class CRequisiteRows {
public:
    CRequisiteRows();

    // Rebuilds the rows from record.
    void SetRecord(const CRequisiteRecord& record);
    // A new record collected from the rows (the text lines stay empty).
    CRequisiteRecord Collect() const;

    int Count() const { return static_cast<int>(m_rows.size()); }
    const RequisiteRow& At(int row) const { return m_rows[static_cast<std::size_t>(row)]; }
    const std::vector<RequisiteRow>& Rows() const { return m_rows; }
    bool IsCaption(int row) const;
    // The caption row of the requisite that row belongs to (-1 when out of range).
    int CaptionOf(int row) const;
    std::uint32_t CaptionData(int row) const;
    // Number of value rows under the caption at captionRow.
    int ValueCount(int captionRow) const;

    // Where Insert leads from the selected row: the row to edit and whether it was inserted
    // (then it is a new, empty value row). -1 when nothing can be edited.
    struct InsertResult {
        int row = -1;
        bool inserted = false;
    };
    InsertResult Insert(int selected);
    // Removes a value row; false for a caption row (nothing happens).
    bool Remove(int row);
    // True when a drag may start on row: a value row of a multi-valued requisite.
    bool CanDrag(int row) const;
    // True when a row dragged from `from` may be dropped on `to`: another value row of the
    // same requisite.
    bool CanDrop(int from, int to) const;
    // Removes the row at from and inserts it at to; false when CanDrop refuses.
    bool Move(int from, int to);

    // Ends an edit of row with the editor's result (CP1251): applies the title rule, stores
    // the status, replaces the text when the result is not empty. An empty result removes the
    // row when it was just inserted. Returns true when the rows changed.
    bool Commit(int row, std::string result, bool newRow);
    // Ends a cancelled edit: a row that was just inserted goes again. True when removed.
    bool Cancel(int row, bool newRow);

    // Inserts an empty value row (for tests and the list) at row.
    void InsertEmpty(int row);
    void SetText(int row, const std::string& text) {
        m_rows[static_cast<std::size_t>(row)].text = text;
    }

    // The title's rule: " \n" before the first "(вместе с" unless it already follows an LF;
    // trailing spaces and LFs go.
    static std::string ApplyTitleRule(std::string text);
    // An integer row: its leading integer when it starts with a digit, or with "-" and a
    // digit; otherwise -1.
    static int ReadInteger(const std::string& text);
    // A date row read as "%d.%d.%d" (day, month, year) at 01:01:01.
    static CDateValue ReadDate(const std::string& text);

    int Status() const { return m_record.m_status; }

private:
    std::vector<RequisiteRow> m_rows;
    CRequisiteRecord m_record;
};

} // namespace norvak
