#include "tools/solve/WorkerPool.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <deque>

namespace {

enum FrameType : std::uint8_t { kHello = 1, kJob = 2, kExploration = 3, kDone = 4 };

double now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void sendLayout(const LevelLayout& l, int fd) {
    FrameWriter(kHello).put(l.gate).putAll(l.cameras).putAll(l.levers).send(fd);
}

LevelLayout readLayout(FrameReader& r) {
    LevelLayout l;
    l.gate = r.get<NK::Rect>();
    l.cameras = r.getAll<NK::Vec2>();
    l.levers = r.getAll<NK::Rect>();
    return l;
}

// Runs `work` in a copy of this process, so the level here stays as it is;
// true when the copy ended well.
template <typename Work>
bool inACopy(const Work& work) {
    const pid_t copy = fork();
    if (copy == 0) {
        try {
            work();
        } catch (...) {
            _exit(3);
        }
        _exit(0);
    }
    int status = 0;
    return copy >= 0 && waitpid(copy, &status, 0) >= 0 && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// A copy of the job's process at the prefix's end for each seed, so every
// exploration starts from the same state.
void playJob(HeadlessPlay& play, const LevelLayout& layout, FrameReader& job, int out) {
    const auto prefix = job.getAll<PlayInput>();
    const auto seeds = job.getAll<std::uint64_t>();
    ExploreSettings settings = job.get<ExploreSettings>();
    const bool throughHangs = job.get<std::uint8_t>() != 0;
    // A prefix that ends the level stops there: the end is its answer.
    for (const PlayInput& in : prefix) {
        const Situation& s = play.step(in);
        if (s.won || s.lost || (s.hung() && !throughHangs)) break;
    }
    const Situation end = play.situation();
    bool ok = true;
    for (std::uint64_t seed : seeds) {
        if (end.ended()) break;
        ok = inACopy([&] {
                 Exploration e = explore(play, layout, seed, settings);
                 FrameWriter(kExploration).putAll(e.inputs).putAll(e.visits).send(out);
             }) &&
             ok;
    }
    FrameWriter(kDone).put(end).put(static_cast<std::uint8_t>(ok)).send(out);
}

// The keeper: the level as it started, copied afresh for every job.
void serve(HeadlessPlay& play, const LevelLayout& layout, int in, int out) {
    std::vector<std::uint8_t> frame;
    while (readFrame(in, frame)) {
        const bool done = inACopy([&] {
            FrameReader job(frame);
            playJob(play, layout, job, out);
        });
        if (!done) FrameWriter(kDone).put(Situation()).put(static_cast<std::uint8_t>(0)).send(out);
    }
}

[[noreturn]] void workerMain(const std::string& mapPath, int in, int out) {
    // The worker and every copy it makes form one group, ended together.
    setpgid(0, 0);
    // No sound is heard and no frame drawn: OpenAL's null output mixes
    // nothing, and Mesa rasterises (if ever) on the calling thread, so a
    // copy of the process needs none of the threads it leaves behind.
    setenv("ALSOFT_DRIVERS", "null", 1);
    setenv("LP_NUM_THREADS", "0", 1);
    // The game's log lines would mix with the solver's own report.
    const int quiet = open("/dev/null", O_WRONLY);
    if (quiet >= 0) dup2(quiet, STDOUT_FILENO);
    HeadlessPlay* play = nullptr;
    LevelLayout layout;
    // Whatever goes wrong here must end this process, never return into the
    // solver's code that it is a copy of.
    try {
        play = new HeadlessPlay();
        play->start(mapPath);
        layout = play->layout();
    } catch (...) {
        _exit(3);
    }
    sendLayout(layout, out);
    // The keeper runs with the one thread it is copied with; this process
    // keeps Allegro's threads and only waits.
    const pid_t keeper = fork();
    if (keeper == 0) {
        serve(*play, layout, in, out);
        _exit(0);
    }
    close(in);
    close(out);
    int status = 0;
    if (keeper > 0) waitpid(keeper, &status, 0);
    _exit(0);
}

}  // namespace

WorkerPool::WorkerPool(std::string path, int count) : mapPath(std::move(path)) {
    // A worker that dies must not take the solver with it.
    signal(SIGPIPE, SIG_IGN);
    workers.resize(static_cast<std::size_t>(count));
    for (Worker& w : workers) {
        if (spawn(w) && awaitHello(w)) started = true;
    }
}

WorkerPool::~WorkerPool() {
    for (Worker& w : workers) stop(w);
}

bool WorkerPool::spawn(Worker& w) {
    int down[2], up[2];
    if (pipe(down) != 0) return false;
    if (pipe(up) != 0) {
        close(down[0]);
        close(down[1]);
        return false;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        close(down[1]);
        close(up[0]);
        // Another worker's pipe held open here would hide its end.
        for (Worker& other : workers) {
            if (other.toWorker >= 0) close(other.toWorker);
            if (other.fromWorker >= 0) close(other.fromWorker);
        }
        workerMain(mapPath, down[0], up[1]);
    }
    close(down[0]);
    close(up[1]);
    if (pid < 0) {
        close(down[1]);
        close(up[0]);
        return false;
    }
    w.pid = pid;
    w.toWorker = down[1];
    w.fromWorker = up[0];
    w.buffer = FrameBuffer();
    w.job = -1;
    w.ready = false;
    return true;
}

bool WorkerPool::awaitHello(Worker& w) {
    std::vector<std::uint8_t> frame;
    if (!readFrame(w.fromWorker, frame)) return false;
    FrameReader r(frame);
    if (r.type() != kHello) return false;
    level = readLayout(r);
    w.ready = true;
    return true;
}

void WorkerPool::stop(Worker& w) {
    if (w.toWorker >= 0) close(w.toWorker);
    if (w.fromWorker >= 0) close(w.fromWorker);
    w.toWorker = w.fromWorker = -1;
    if (w.pid > 0) {
        kill(-w.pid, SIGKILL);
        kill(w.pid, SIGKILL);
        waitpid(w.pid, nullptr, 0);
    }
    w.pid = -1;
    w.ready = false;
}

std::vector<JobResult> WorkerPool::run(const std::vector<Job>& jobs) {
    std::vector<JobResult> results(jobs.size());
    std::deque<int> pending;
    std::vector<int> attempts(jobs.size(), 0);
    for (std::size_t i = 0; i < jobs.size(); ++i) pending.push_back(static_cast<int>(i));
    std::size_t done = 0;
    auto giveBack = [&](Worker& w) {
        const int job = w.job;
        stop(w);
        if (spawn(w)) awaitHello(w);
        if (job < 0) return;
        if (++attempts[static_cast<std::size_t>(job)] < 3) {
            pending.push_front(job);
        } else {
            ++done;  // left as not ok
        }
    };
    while (done < jobs.size()) {
        bool anyReady = false;
        for (Worker& w : workers) {
            anyReady = anyReady || w.ready;
            if (!w.ready || w.job >= 0 || pending.empty()) continue;
            const int j = pending.front();
            pending.pop_front();
            const Job& job = jobs[static_cast<std::size_t>(j)];
            w.job = j;
            w.partial = JobResult();
            w.lastHeard = now();
            if (!FrameWriter(kJob)
                     .putAll(job.prefix)
                     .putAll(job.seeds)
                     .put(job.settings)
                     .put(static_cast<std::uint8_t>(job.throughHangs))
                     .send(w.toWorker))
                giveBack(w);
        }
        if (!anyReady) break;
        std::vector<pollfd> fds;
        std::vector<Worker*> busy;
        for (Worker& w : workers) {
            if (w.job < 0) continue;
            fds.push_back({w.fromWorker, POLLIN, 0});
            busy.push_back(&w);
        }
        if (fds.empty()) continue;
        poll(fds.data(), fds.size(), 1000);
        for (std::size_t i = 0; i < fds.size(); ++i) {
            Worker& w = *busy[i];
            if (fds[i].revents == 0) {
                if (now() - w.lastHeard > stallSeconds) giveBack(w);
                continue;
            }
            if (!w.buffer.fill(w.fromWorker)) {
                giveBack(w);
                continue;
            }
            w.lastHeard = now();
            std::vector<std::uint8_t> frame;
            while (w.job >= 0 && w.buffer.next(frame)) {
                FrameReader r(frame);
                if (r.type() == kExploration) {
                    Exploration e;
                    e.inputs = r.getAll<PlayInput>();
                    e.visits = r.getAll<Situation>();
                    w.partial.ticks += static_cast<long>(e.inputs.size());
                    w.partial.explorations.push_back(std::move(e));
                } else if (r.type() == kDone) {
                    JobResult& out = results[static_cast<std::size_t>(w.job)];
                    out = std::move(w.partial);
                    out.end = r.get<Situation>();
                    out.ok = r.get<std::uint8_t>() != 0;
                    out.ticks +=
                        static_cast<long>(jobs[static_cast<std::size_t>(w.job)].prefix.size());
                    w.job = -1;
                    ++done;
                }
            }
        }
    }
    return results;
}
