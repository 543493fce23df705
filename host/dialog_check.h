// How the dialogs and the solver windows run their check through the engine.
#pragma once

#include <windows.h>

#include <optional>
#include <utility>

#include "foundation/dialog_message.h"
#include "host/engine_work.h"

// Runs check as engine work and returns its result, or shows the message it ended with in a box
// owned by window and returns nothing. The engine is busy only while check runs, not while the
// box is open, so that the box does not hold the other windows off the engine; a check refused
// because the engine is busy returns nothing.
template <typename Result, typename Check>
std::optional<Result> runDialogCheck(CToolWindowHost& host, HWND window, Check check)
{
    CCheckOutcome<Result> outcome;
    {
        CEngineWork work(host);
        if (work.refused())
            return std::nullopt;
        outcome = check();
    }
    if (const auto* message = std::get_if<CDialogMessage>(&outcome)) {
        MessageBoxW(window, message->text.characters(), message->title.characters(), MB_OK);
        return std::nullopt;
    }
    return std::get<Result>(std::move(outcome));
}
