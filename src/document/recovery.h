#pragma once
// Recovery copies of a document that is being edited: written now and then while it is
// modified, removed when it is saved or deliberately discarded, and offered again at the next
// start when an editor ended without doing either (a crash, a killed session).

#include "document/inputsniff.h"
#include "requisites/requisiterecord.h"

#include <string>
#include <string_view>
#include <vector>

namespace norvak {

// What the editor needs to show an unsaved document again.
struct RecoveryCopy {
    std::string sourcePath;  // the document's source-format path (UTF-8); empty when it has none
    CRequisiteRecord record; // the requisites as the panel held them, the editor's lines in m_text
};

// The folder of the recovery copies: $XDG_STATE_HOME/norvak, else $HOME/.local/state/norvak
// (an XDG_STATE_HOME that is not an absolute path counts as unset); empty when neither is set.
std::string RecoveryFolder(const char* xdgStateHome, const char* home);

// The copy as the bytes of a recovery file and back: every field of the record and every line
// exactly as held (line ends and backslashes escaped). Decoding fails (false, out untouched)
// on bytes that are not a complete recovery file.
std::string EncodeRecoveryCopy(const RecoveryCopy& copy);
bool DecodeRecoveryCopy(std::string_view bytes, RecoveryCopy& out);

// The recovery copy of one running editor, in a folder shared by all of them: its file is
// named after the editor's process and its start, so that the copies of editors still running
// are never offered to another one, and an editor never takes another one's copy for its own.
class CRecoveryStore {
public:
    CRecoveryStore(std::string folder, long pid);

    const std::string& Folder() const { return m_folder; }
    // The file of this editor's copy.
    std::string Path() const;
    // Writes the copy through a temporary file (the folder is made private, 0700, when it has
    // to be created). False with the reason in error when it cannot be written.
    bool Write(const RecoveryCopy& copy, std::string* error = nullptr);
    // Removes this editor's copy; nothing happens when there is none.
    void Remove();
    // The copies left by editors that no longer run (or by an earlier editor that had this
    // one's pid), oldest first; never this editor's own.
    std::vector<std::string> Orphans() const;

    static bool Read(const std::string& path, RecoveryCopy& out);
    static void Discard(const std::string& path);

private:
    std::string m_folder;
    long m_pid;
    std::string m_name;
};

} // namespace norvak
