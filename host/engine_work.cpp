// The mark of engine work that the user interface starts.
#include "host/engine_work.h"

#include "host/command_gate.h"
#include "host/tool_window_host.h"

CEngineWork::CEngineWork(CToolWindowHost& host) noexcept : m_host(host), m_started(!host.m_engineBusy)
{
    m_host.m_engineBusy = true;
    ++CCommandGate::s_engineWork;
}

CEngineWork::~CEngineWork()
{
    --CCommandGate::s_engineWork;
    if (m_started)
        m_host.m_engineBusy = false;
}
