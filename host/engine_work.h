// The mark of engine work that the user interface starts.
#pragma once

class CToolWindowHost;

// The engine is not re-entrant, and its confirmation question runs a nested message loop in the
// middle of a statement: every user action that reaches the engine takes one of these first and
// does nothing when it is refused.
class CEngineWork {
public:
    explicit CEngineWork(CToolWindowHost& host) noexcept;
    ~CEngineWork();
    CEngineWork(const CEngineWork&) = delete;
    CEngineWork& operator=(const CEngineWork&) = delete;

    bool refused() const noexcept { return !m_started; }

private:
    CToolWindowHost& m_host;
    bool m_started;
};
