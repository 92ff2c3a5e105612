#include "platform/recorders/LibburnWrite.h"

#include <libburn/libburn.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <memory>

#include "platform/recorders/Libburn.h"
#include "platform/recorders/RecorderResults.h"

namespace orvalis::recorders {

using namespace burn;

namespace {

constexpr int kSectorBytes = 2048;
constexpr int kFifoChunkBytes = 2048;
constexpr int kFifoChunks = 2048;  // 4 MiB between the image and the drive
constexpr auto kPollInterval = std::chrono::milliseconds(100);
// Writing events come at most this often, and only when the position moved.
constexpr auto kWritingEventInterval = std::chrono::milliseconds(250);

// What libburn reads the image through. It lives until libburn lets go of the source,
// which may be after the write has returned.
struct SourceBridge {
    ImageSource* image = nullptr;
    off_t size = 0;
    std::mutex mutex;
    std::condition_variable changed;
    bool firstReadWaiting = false;
    bool gateOpen = false;
    bool stop = false;
    int readsInProgress = 0;
    std::atomic<uint64_t> bytesRead{0};
    ResultCode failure = kOk;
    std::string failureText;
};

using BridgeRef = std::shared_ptr<SourceBridge>;

SourceBridge& BridgeOf(burn_source* source) { return **static_cast<BridgeRef*>(source->data); }

int ReadImage(burn_source* source, unsigned char* buffer, int size) {
    SourceBridge& bridge = BridgeOf(source);
    {
        std::unique_lock lock(bridge.mutex);
        if (!bridge.gateOpen && !bridge.stop) {
            bridge.firstReadWaiting = true;
            bridge.changed.notify_all();
            bridge.changed.wait(lock, [&] { return bridge.gateOpen || bridge.stop; });
        }
        if (bridge.stop || bridge.failure != kOk) return -1;
        ++bridge.readsInProgress;
    }
    // The writer waits for reads in progress before it lets go of the image.
    struct ReadDone {
        SourceBridge& bridge;
        ~ReadDone() {
            std::lock_guard lock(bridge.mutex);
            --bridge.readsInProgress;
            bridge.changed.notify_all();
        }
    } done{bridge};
    int filled = 0;
    while (filled < size) {
        Result<size_t> got = bridge.image->Read(buffer + filled, static_cast<size_t>(size - filled));
        if (!got) {
            std::lock_guard lock(bridge.mutex);
            bridge.failure = got.code() != kOk ? got.code() : kFail;
            bridge.failureText = got.message();
            return -1;
        }
        if (*got == 0) break;
        filled += static_cast<int>(*got);
    }
    bridge.bytesRead += static_cast<uint64_t>(filled);
    return filled;
}

off_t ImageSize(burn_source* source) { return BridgeOf(source).size; }

int SetImageSize(burn_source* source, off_t size) {
    BridgeOf(source).size = size;
    return 1;
}

void FreeBridge(burn_source* source) {
    delete static_cast<BridgeRef*>(source->data);
    source->data = nullptr;
}

int CancelSource(burn_source* source) {
    SourceBridge& bridge = BridgeOf(source);
    std::lock_guard lock(bridge.mutex);
    bridge.stop = true;
    bridge.changed.notify_all();
    return 1;
}

burn_source* NewImageSource(const BridgeRef& bridge) {
    // libburn frees the structure itself with free() once the last reference goes.
    auto* source = static_cast<burn_source*>(std::calloc(1, sizeof(burn_source)));
    if (source == nullptr) return nullptr;
    source->refcount = 1;
    source->read = nullptr;  // a version 1 source: read_xt does the reading
    source->get_size = ImageSize;
    source->set_size = SetImageSize;
    source->free_data = FreeBridge;
    source->data = new BridgeRef(bridge);
    source->version = 1;
    source->read_xt = ReadImage;
    source->cancel = CancelSource;
    return source;
}

WriteAction ActionOf(burn_drive_status status) {
    switch (status) {
        case BURN_DRIVE_FORMATTING:
            return WriteAction::FormattingMedia;
        case BURN_DRIVE_WRITING:
        case BURN_DRIVE_WRITING_SYNC:
            return WriteAction::WritingData;
        case BURN_DRIVE_WRITING_LEADOUT:
        case BURN_DRIVE_CLOSING_TRACK:
        case BURN_DRIVE_CLOSING_SESSION:
            return WriteAction::Finalization;
        default:
            return WriteAction::InitializingHardware;
    }
}

int32_t Seconds(std::chrono::steady_clock::duration d) {
    return static_cast<int32_t>(std::chrono::duration_cast<std::chrono::seconds>(d).count());
}

// Owns what one write made in libburn, in the order it has to go.
struct WriteObjects {
    burn_source* image = nullptr;
    burn_source* fifo = nullptr;
    burn_disc* disc = nullptr;
    burn_session* session = nullptr;
    burn_track* track = nullptr;
    burn_write_opts* opts = nullptr;
    ~WriteObjects() {
        if (opts) burn_write_opts_free(opts);
        if (track) burn_track_free(track);
        if (session) burn_session_free(session);
        if (disc) burn_disc_free(disc);
        if (fifo) burn_source_free(fifo);
        if (image) burn_source_free(image);
    }
};

}  // namespace

void WriteCancellation::Cancel() {
    requested_ = true;
    std::lock_guard lock(mutex_);
    if (drive_ != nullptr) burn_drive_cancel(drive_);
    if (wake_) wake_();
}

void WriteCancellation::Reset() {
    std::lock_guard lock(mutex_);
    requested_ = false;
}

void WriteCancellation::Attach(burn_drive* drive, std::function<void()> wake) {
    std::lock_guard lock(mutex_);
    drive_ = drive;
    wake_ = std::move(wake);
}

void WriteCancellation::Detach() {
    std::lock_guard lock(mutex_);
    drive_ = nullptr;
    wake_ = nullptr;
}

class LibburnWriteRun {
public:
    static void Attach(WriteCancellation& c, burn_drive* d, std::function<void()> wake) {
        c.Attach(d, std::move(wake));
    }
    static void Detach(WriteCancellation& c) { c.Detach(); }
};

ResultCode WriteThroughLibburn(const WriteRequest& request, WriteCancellation& cancellation,
                               const std::function<void(const WriteProgress&)>& report,
                               std::string* diagnostics) {
    auto fail = [&](ResultCode code, const std::string& why) {
        if (diagnostics) {
            std::string messages = Libburn::Instance().TakeMessages();
            *diagnostics = messages.empty() ? why : why + "\n" + messages;
        }
        return code;
    };
    if (request.drive == nullptr || request.source == nullptr) return kInvalidArgument;

    auto bridge = std::make_shared<SourceBridge>();
    bridge->image = request.source;
    bridge->size = static_cast<off_t>(request.source->Size());
    const int32_t sectorCount =
        static_cast<int32_t>((request.source->Size() + kSectorBytes - 1) / kSectorBytes);

    WriteObjects objects;
    objects.image = NewImageSource(bridge);
    if (objects.image == nullptr) return fail(kFail, "out of memory");
    objects.fifo = burn_fifo_source_new(objects.image, kFifoChunkBytes, kFifoChunks, 0);
    if (objects.fifo == nullptr) return fail(kFail, "cannot set up the write buffer");
    objects.disc = burn_disc_create();
    objects.session = burn_session_create();
    objects.track = burn_track_create();
    burn_track_define_data(objects.track, 0, 0, 1, BURN_MODE1);
    if (burn_track_set_source(objects.track, objects.fifo) != BURN_SOURCE_OK)
        return fail(kStreamNotSupported, "the image cannot be read as a track");
    burn_session_add_track(objects.session, objects.track, BURN_POS_END);
    burn_disc_add_session(objects.disc, objects.session, BURN_POS_END);

    objects.opts = burn_write_opts_new(request.drive);
    burn_write_opts_set_multi(objects.opts, request.closeMedium ? 0 : 1);
    burn_write_opts_set_underrun_proof(objects.opts, 1);
    char reasons[BURN_REASONS_LEN] = {};
    if (burn_write_opts_auto_write_type(objects.opts, objects.disc, reasons, 0) == BURN_WRITE_NONE)
        return fail(kMediaNotSupported, std::string("no way to write this medium: ") + reasons);

    LibburnWriteRun::Attach(cancellation, request.drive, [bridge] {
        std::lock_guard lock(bridge->mutex);
        bridge->stop = true;
        bridge->changed.notify_all();
    });
    if (cancellation.Requested()) {
        LibburnWriteRun::Detach(cancellation);
        return kRequestCancelled;
    }

    const auto started = std::chrono::steady_clock::now();
    auto fill = [&](WriteAction action, int sectorsDone) {
        WriteProgress progress;
        progress.currentAction = action;
        auto elapsed = std::chrono::steady_clock::now() - started;
        progress.elapsedTime = Seconds(elapsed);
        if (action == WriteAction::WritingData && sectorsDone > 0 && sectorsDone < sectorCount) {
            progress.remainingTime = Seconds(elapsed * (sectorCount - sectorsDone) / sectorsDone);
        }
        progress.totalTime = progress.elapsedTime + progress.remainingTime;
        if (action != WriteAction::WritingData) return progress;
        progress.startLba = request.startLba;
        progress.sectorCount = sectorCount;
        uint64_t read = bridge->bytesRead.load() / kSectorBytes;
        progress.lastReadLba = request.startLba + static_cast<int32_t>(std::min<uint64_t>(read, sectorCount));
        progress.lastWrittenLba = request.startLba + std::min(sectorsDone, sectorCount);
        int size = 0;
        int freeBytes = 0;
        char* statusText = nullptr;
        if (burn_fifo_inquire_status(objects.fifo, &size, &freeBytes, &statusText) >= 0) {
            progress.totalSystemBuffer = size;
            progress.freeSystemBuffer = freeBytes;
            progress.usedSystemBuffer = size - freeBytes;
        }
        return progress;
    };

    burn_disc_write(objects.opts, objects.disc);
    report(fill(WriteAction::InitializingHardware, 0));

    WriteAction last = WriteAction::InitializingHardware;
    bool writingSent = false;
    int lastWritten = -1;
    auto lastWritingEvent = started;
    while (true) {
        bool gateWaiting = false;
        {
            std::unique_lock lock(bridge->mutex);
            bridge->changed.wait_for(lock, kPollInterval,
                                     [&] { return bridge->firstReadWaiting && !bridge->gateOpen; });
            gateWaiting = bridge->firstReadWaiting && !bridge->gateOpen && !bridge->stop;
        }
        burn_progress progress{};
        burn_drive_status status = burn_drive_get_status(request.drive, &progress);
        if (status == BURN_DRIVE_IDLE) break;
        if (cancellation.Requested()) continue;

        WriteAction action = gateWaiting ? WriteAction::WritingData : ActionOf(status);
        const int done = status == BURN_DRIVE_WRITING ? std::max(0, progress.sector) : 0;
        if (action == WriteAction::WritingData) {
            auto now = std::chrono::steady_clock::now();
            if (!writingSent || (done != lastWritten && now - lastWritingEvent >= kWritingEventInterval)) {
                report(fill(action, writingSent ? done : 0));
                writingSent = true;
                lastWritten = done;
                lastWritingEvent = now;
            }
            if (gateWaiting && !cancellation.Requested()) {
                std::lock_guard lock(bridge->mutex);
                bridge->gateOpen = true;
                bridge->changed.notify_all();
            }
        } else if (action != last && (action != WriteAction::Finalization || writingSent)) {
            report(fill(action, 0));
        }
        if (action != WriteAction::WritingData || writingSent) last = action;
    }
    LibburnWriteRun::Detach(cancellation);
    {
        std::unique_lock lock(bridge->mutex);
        bridge->stop = true;
        bridge->changed.notify_all();
        bridge->changed.wait(lock, [&] { return bridge->readsInProgress == 0; });
    }

    const bool wroteWell = burn_drive_wrote_well(request.drive) != 0;
    if (cancellation.Requested()) return kRequestCancelled;
    if (bridge->failure != kOk) return fail(bridge->failure, "reading the image failed: " + bridge->failureText);
    if (!wroteWell) return fail(kFail, "the drive did not finish the write");
    if (last != WriteAction::Finalization) report(fill(WriteAction::Finalization, sectorCount));
    report(fill(WriteAction::Completed, sectorCount));
    return kOk;
}

}  // namespace orvalis::recorders
