// Lines typed at a terminal, edited through libedit's readline interface (BSD licence).
#include "cli/line_editor.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>

#include <editline/readline.h>
#include <langinfo.h>

CLineEditor::CLineEditor(std::ostream& output) : m_output(output)
{
    // The editor moves over characters, not bytes, only when it knows the encoding, and the
    // text is UTF-8 whatever the environment says.
    std::setlocale(LC_CTYPE, "");
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
        std::setlocale(LC_CTYPE, "C.UTF-8");
    using_history();
    // The calculator's names are not file names: Tab inserts itself instead of completing.
    rl_bind_key('\t', rl_insert);
}

CLineEditor::~CLineEditor()
{
    clear_history();
}

bool CLineEditor::readLine(const std::string& prompt, std::string& line)
{
    m_output.flush();
    char* text = readline(prompt.c_str());
    if (text == nullptr) {
        // End of input (Ctrl+D): end the prompt's line so the shell starts on a fresh one.
        std::fputs("\n", stdout);
        std::fflush(stdout);
        return false;
    }
    line = text;
    std::free(text);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

void CLineEditor::remember(const std::string& line)
{
    add_history(line.c_str());
}
