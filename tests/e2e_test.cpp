// The real program, started as a user would (with SDL's dummy drivers asked
// for explicitly), played for a few seconds and stopped with SIGTERM.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

struct ShowRun {
    int status = -1;
    std::string err;
};

// Starts the show with `env` added, lets it run `seconds`, then sends SIGTERM.
ShowRun runShow(const std::vector<std::string>& env, double seconds)
{
    int pipefd[2];
    if (pipe(pipefd) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipefd[1], 2);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, pipefd[0]);

    std::vector<std::string> vars = env;
    for (char** e = environ; *e; e++) {
        const std::string v = *e;
        if (v.rfind("SDL_", 0) != 0 && v.rfind("DISPLAY=", 0) != 0 && v.rfind("WAYLAND_", 0) != 0)
            vars.push_back(v);
    }
    std::vector<char*> envp;
    for (auto& v : vars)
        envp.push_back(v.data());
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(FROSTHEM_BINARY), nullptr};

    pid_t pid;
    ShowRun run;
    if (posix_spawn(&pid, FROSTHEM_BINARY, &actions, nullptr, argv, envp.data()) != 0)
        return run;
    posix_spawn_file_actions_destroy(&actions);
    close(pipefd[1]);
    fcntl(pipefd[0], F_SETFL, O_NONBLOCK);

    char buf[4096];
    auto drain = [&] {
        ssize_t n;
        while ((n = read(pipefd[0], buf, sizeof buf)) > 0)
            run.err.append(buf, static_cast<size_t>(n));
    };
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    bool exited = false;
    while (std::chrono::steady_clock::now() < end && !exited) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        drain();
        exited = waitpid(pid, &run.status, WNOHANG) == pid;
    }
    if (!exited) {
        kill(pid, SIGTERM);
        waitpid(pid, &run.status, 0);
    }
    fcntl(pipefd[0], F_SETFL, 0);
    drain();
    close(pipefd[0]);
    return run;
}

}  // namespace

TEST(EndToEnd, PlaysWithDummyDriversAndQuitsCleanlyOnSigterm)
{
    const ShowRun run = runShow({"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy"}, 3.0);
    ASSERT_TRUE(WIFEXITED(run.status)) << "killed by signal " << WTERMSIG(run.status);
    EXPECT_EQ(WEXITSTATUS(run.status), 0);
    EXPECT_EQ(run.err, "");
}

TEST(EndToEnd, RefusesToPlayBehindNoWindow)
{
    // No display and no driver asked for: SDL falls back to an invisible one.
    const ShowRun run = runShow({}, 10.0);
    ASSERT_TRUE(WIFEXITED(run.status));
    EXPECT_EQ(WEXITSTATUS(run.status), 1);
    EXPECT_NE(run.err.find("frosthem: no display"), std::string::npos) << run.err;
}
