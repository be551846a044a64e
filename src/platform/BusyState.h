#pragma once

// A window that takes no commands while a long operation runs (the compiler driver): it
// disables its commands on the first enter and gives them back on the last leave.
class BusyState {
public:
    virtual void enterBusy() = 0;
    virtual void leaveBusy() = 0;

protected:
    ~BusyState() = default;
};

// Keeps `state` busy for its own lifetime, so every way out of a scope ends the busy state.
class BusyScope {
public:
    explicit BusyScope(BusyState& state) : m_state(state) { m_state.enterBusy(); }
    ~BusyScope() { m_state.leaveBusy(); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    BusyState& m_state;
};
