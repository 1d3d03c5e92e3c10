// Runs a command with transparent huge pages off for it and its children,
// whatever the system's setting: measures how hexalune fares without them.
//   no_thp COMMAND [ARGUMENT...]

#include <sys/prctl.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fputs("usage: no_thp COMMAND [ARGUMENT...]\n", stderr);
        return 2;
    }
    if (prctl(PR_SET_THP_DISABLE, 1, 0, 0, 0) != 0) {
        std::perror("prctl");
        return 2;
    }
    execvp(argv[1], argv + 1);
    std::perror(argv[1]);
    return 127;
}
