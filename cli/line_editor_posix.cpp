// Lines typed at a terminal, edited through libedit's readline interface (BSD licence).
#include "cli/line_editor.h"

#include <clocale>
#include <csetjmp>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <vector>

#include <editline/readline.h>
#include <langinfo.h>
#include <setjmp.h>
#include <signal.h>

#include "cli/history_file.h"
#include "cli/name_completion.h"

namespace {

// libedit calls plain functions: the one editor's names and state live here meanwhile.
const VKCL::CCalculator* completionNames = nullptr;
std::vector<std::string> completions;

// Ctrl+C while a line is read jumps back to before the read, which then starts afresh: libedit has
// given the terminal back its normal mode before passing the signal on, and sets its own up again
// for the next line. At any other time (the engine at work) Ctrl+C is ignored.
sigjmp_buf beforeRead;
volatile sig_atomic_t reading = 0;

void onInterrupt(int)
{
    if (reading != 0) {
        reading = 0;
        siglongjmp(beforeRead, 1);
    }
}

char* nextCompletion(const char* prefix, int state)
{
    if (state == 0)
        completions = completeName(*completionNames, prefix);
    const std::size_t index = static_cast<std::size_t>(state);
    return index < completions.size() ? strdup(completions[index].c_str()) : nullptr;
}

char** completeWord(const char* prefix, int, int)
{
    return rl_completion_matches(prefix, nextCompletion);
}

} // namespace

struct CLineEditor::CState {
    std::string historyFile;
};

CLineEditor::CLineEditor(std::ostream& output, const VKCL::CCalculator& calculator,
                         const std::string& historyFile)
    : m_output(output), m_state(std::make_unique<CState>(CState{historyFile}))
{
    // The editor moves over characters, not bytes, only when it knows the encoding, and the
    // text is UTF-8 whatever the environment says.
    std::setlocale(LC_CTYPE, "");
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
        std::setlocale(LC_CTYPE, "C.UTF-8");
    completionNames = &calculator;
    rl_initialize();
    using_history();
    stifle_history(HISTORY_LINES);
    if (!m_state->historyFile.empty())
        read_history(m_state->historyFile.c_str());
    rl_completer_word_break_characters = const_cast<char*>(NAME_BREAK_CHARACTERS);
    rl_attempted_completion_function = completeWord;
    rl_completion_append_character = '\0';
    struct sigaction interrupt {};
    interrupt.sa_handler = onInterrupt;
    sigemptyset(&interrupt.sa_mask);
    sigaction(SIGINT, &interrupt, nullptr);
}

CLineEditor::~CLineEditor()
{
    clear_history();
    completionNames = nullptr;
}

bool CLineEditor::readLine(const std::string& prompt, std::string& line)
{
    m_output.flush();
    for (;;) {
        if (sigsetjmp(beforeRead, 1) != 0) {
            std::fputs("^C\n", stdout);
            std::fflush(stdout);
            continue;
        }
        reading = 1;
        char* text = readline(prompt.c_str());
        reading = 0;
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
}

void CLineEditor::remember(const std::string& line)
{
    add_history(line.c_str());
    if (!m_state->historyFile.empty() && prepareHistoryFolder(m_state->historyFile))
        write_history(m_state->historyFile.c_str());
}
