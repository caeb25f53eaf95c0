// FuzzQuiet.cpp -- linked into every harness: the code under test stays quiet.
//
// Readers log one line per refused input to stderr, which would flood the run
// and slow it down. Before libFuzzer reads its flags this adds -close_fd_mask=2:
// libFuzzer then keeps its own output and the sanitizer reports on a copy of
// stderr and sends the program's stderr to /dev/null. Set ZARVO_FUZZ_LOGS=1 to
// see the log lines.
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    const char* logs = std::getenv("ZARVO_FUZZ_LOGS");
    if (logs && std::strcmp(logs, "1") == 0) return 0;
    for (int i = 1; i < *argc; ++i)
        if (std::strncmp((*argv)[i], "-close_fd_mask=", 15) == 0) return 0;
    // The new argument list lives for the whole run.
    static std::vector<char*> args;
    static char quiet[] = "-close_fd_mask=2";
    args.assign(*argv, *argv + *argc);
    args.insert(args.begin() + 1, quiet);
    args.push_back(nullptr);
    *argc += 1;
    *argv = args.data();
    return 0;
}
