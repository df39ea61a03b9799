// The project file (".tsd", described in docs/file-format.md): the whole
// document as records of items separated by commas, one record a line,
// records 1 to 6 ending with "END", then, when the project has member-end
// connections, springs, turned support axes, settlements, temperature
// changes, more than one load case, a renamed case 1 or combinations, the
// extension from its header "ORVANDEL" to its own "END".
// Numbers have at most 7 significant digits and no zero before the point
// (".02", "1E+20", see writeNotation), texts are in double quotes,
// Booleans #TRUE# and #FALSE#. Pure functions between a file (or its
// bytes) and a document; rebuilding the drawing from a read document is
// the editor's job.
#pragma once

#include <optional>
#include <string>

#include "document/document.h"

// Writes records 1 to 6 of the document to `path` (UTF-8 text, see
// file_names.h), UTF-8 with CR LF line ends, and the extension when the
// project has what only the extension carries (a project without it is
// written as before).
// The text goes to a new file with a name of its own in the same folder,
// reaches the disk and is renamed over `path` only when everything was
// written; the saved file keeps the permissions of the file it replaces.
// On any failure the old file is untouched, nothing is left behind and the
// result is false.
bool WriteProjectFile(const Document& document, const std::string& path);

// The text WriteProjectFile writes, as bytes.
std::string projectFileText(const Document& document);

// Why a file was refused: its line (1-based) and what was expected there.
struct ProjectReadError {
    int line = 0;
    std::string expected;
};

// Reads the bytes of a project file (UTF-8, or GB18030 when they are not
// valid UTF-8) over `document`: the model, the counters and the saved window
// settings are replaced, the rest is kept. Items are taken in order whatever
// the line breaks (CR LF, LF or CR); quotes are stripped; a load position
// beyond the member's length is clamped to it; after "END" the extension
// is read when its header follows, and any other text starts again at
// record 1. An empty file changes nothing. A malformed or truncated file
// is refused as a whole: the result names the line and what was expected
// there, and `document` is left as it was.
std::optional<ProjectReadError> readProjectText(const std::string& bytes, Document& document);

// Reads the file at `path` (UTF-8 text) as readProjectText does. A file that cannot be
// opened gives line 0 with the expectation "a readable file".
std::optional<ProjectReadError> readProjectFile(const std::string& path, Document& document);

// The message shown for a refused file: names the file, the line and what
// was expected.
std::string projectReadMessage(const std::string& path, const ProjectReadError& error);
