// Runs the whole start-up in the test process, on the simulated card.
#pragma once

#include <windows.h>

#include <string>

#include "tests/support/simfixture.h"

class AppTest : public SimCardTest {
protected:
    void TearDown() override;

    // VidmoraMain, with the Exit command sent as soon as the loop runs.
    int RunAndExit();
    // VidmoraMain, with the main window closed as soon as the loop runs.
    int RunAndClose();
    // The decoder's output-control writes, in order.
    std::vector<uint8_t> OutputControlWrites();
};

// HKEY_LOCAL_MACHINE seen through a scratch key for the test's lifetime,
// holding the DirectX version given (none when null).
class DirectXVersion {
public:
    explicit DirectXVersion(const char *version);
    ~DirectXVersion();

private:
    HKEY scratch_ = NULL;
};
