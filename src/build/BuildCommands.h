#pragma once

class Main;

// Run and Create Exe through the external compiler driver.
class BuildCommands {
public:
    explicit BuildCommands(Main& main) : m_main(main) {}

    void RunProgram() {}
    void compileprog_Click() {}

private:
    [[maybe_unused]] Main& m_main;
};
