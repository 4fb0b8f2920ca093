#include "app/desktop_platform.h"

#include "window/message_box.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryFile>
#include <algorithm>
#include <alsa/asoundlib.h>
#include <canberra.h>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <ctime>
#include <mutex>
#include <numbers>
#include <string>
#include <thread>

namespace kavro {

namespace {

DateTime localNow() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    std::tm tm{};
    localtime_r(&t, &tm);
    Date date{year{tm.tm_year + 1900}, month{static_cast<unsigned>(tm.tm_mon + 1)},
              day{static_cast<unsigned>(tm.tm_mday)}};
    return makeDateTime(date, tm.tm_hour, tm.tm_min, tm.tm_sec);
}

// The alarm sound: a short rising double beep made by the program itself, so that the desk
// hears it even where no sound theme is installed (the X bell is silent on most desktops).
QByteArray alertWave() {
    constexpr int rate = 22050;
    struct Tone {
        double hz;
        double seconds;
    };
    const Tone tones[] = {{988.0, 0.14}, {0.0, 0.06}, {1319.0, 0.20}};
    QByteArray pcm;
    for (const Tone& t : tones) {
        const int n = static_cast<int>(t.seconds * rate);
        const int fade = rate / 100; // 10 ms ramps keep the tones free of clicks
        for (int i = 0; i < n; ++i) {
            double v = 0.0;
            if (t.hz > 0.0) {
                const double ramp = std::min({1.0, double(i) / fade, double(n - 1 - i) / fade});
                v = 0.6 * ramp * std::sin(2.0 * std::numbers::pi * t.hz * i / rate);
            }
            const auto sample = static_cast<qint16>(std::lround(v * 32767.0));
            pcm.append(static_cast<char>(sample & 0xFF));
            pcm.append(static_cast<char>((sample >> 8) & 0xFF));
        }
    }
    auto le32 = [](QByteArray& b, quint32 v) {
        for (int k = 0; k < 4; ++k)
            b.append(static_cast<char>((v >> (8 * k)) & 0xFF));
    };
    auto le16 = [](QByteArray& b, quint16 v) {
        b.append(static_cast<char>(v & 0xFF));
        b.append(static_cast<char>(v >> 8));
    };
    QByteArray wav("RIFF");
    le32(wav, static_cast<quint32>(36 + pcm.size()));
    wav.append("WAVEfmt ");
    le32(wav, 16);
    le16(wav, 1); // PCM
    le16(wav, 1); // mono
    le32(wav, rate);
    le32(wav, rate * 2);
    le16(wav, 2);
    le16(wav, 16);
    wav.append("data");
    le32(wav, static_cast<quint32>(pcm.size()));
    return wav + pcm;
}

// Plays the alarm on a thread of its own: opening a sound device or reaching the sound
// service can take its time, and the window must never wait for it. Requests that arrive
// while one is being handled, or while the sound still plays, are merged into it.
class AlertPlayer {
public:
    explicit AlertPlayer(std::string wavePath) : wavePath_(std::move(wavePath)) {
        std::thread([this] { run(); }).detach();
    }

    void request() {
        {
            std::lock_guard lock(mutex_);
            if (pending_)
                return;
            pending_ = true;
        }
        wake_.notify_one();
    }

private:
    static constexpr std::uint32_t kSoundId = 1;

    static void silentAlsaError(const char*, int, const char*, int, const char*, ...) {}

    void run() {
        for (;;) {
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [this] { return pending_; });
            }
            const bool played = play();
            {
                std::lock_guard lock(mutex_);
                pending_ = false;
            }
            if (!played) {
                // No sound service: the platform beep, which must be given on the window's thread.
                if (QCoreApplication* app = QCoreApplication::instance())
                    QMetaObject::invokeMethod(
                        app, [] { QApplication::beep(); }, Qt::QueuedConnection);
            }
        }
    }

    bool play() {
        if (std::chrono::steady_clock::now() < retryAt_)
            return false;
        if (playSound())
            return true;
        // The sound service is asked again only now and then: every failed attempt costs a
        // device probe and a few lines of library noise on stderr.
        retryAt_ = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        return false;
    }

    bool playSound() {
        if (!context_) {
            // The sound library reports a missing sound card on stderr itself; the fall-back
            // beep already covers that case, so the desk's log stays clean.
            snd_lib_error_set_handler(silentAlsaError);
            if (ca_context_create(&context_) != CA_SUCCESS) {
                context_ = nullptr;
                return false;
            }
            ca_context_change_props(context_, CA_PROP_APPLICATION_NAME, "KAVRO", nullptr);
        }
        int playing = 0;
        if (ca_context_playing(context_, kSoundId, &playing) == CA_SUCCESS && playing)
            return true;
        if (!wavePath_.empty() &&
            ca_context_play(context_, kSoundId, CA_PROP_MEDIA_FILENAME, wavePath_.c_str(),
                            CA_PROP_EVENT_DESCRIPTION, "room alarm", nullptr) == CA_SUCCESS)
            return true;
        return ca_context_play(context_, kSoundId, CA_PROP_EVENT_ID, "bell",
                               CA_PROP_EVENT_DESCRIPTION, "room alarm", nullptr) == CA_SUCCESS;
    }

    const std::string wavePath_;
    // Used on the player's thread only:
    ca_context* context_ = nullptr;
    std::chrono::steady_clock::time_point retryAt_{};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool pending_ = false;
};

void alertSound() {
    // The sound file lives as long as the program and is removed when it ends.
    static QTemporaryFile waveFile(QDir::tempPath() + QStringLiteral("/kavro-alert-XXXXXX.wav"));
    // Never destroyed: its thread may still be inside the sound service when the program ends.
    static AlertPlayer* player = [] {
        std::string path;
        if (waveFile.open() && waveFile.write(alertWave()) > 0 && waveFile.flush())
            path = QFile::encodeName(waveFile.fileName()).toStdString();
        return new AlertPlayer(path);
    }();
    player->request();
}

} // namespace

Platform desktopPlatform() {
    Platform p;
    p.now = localNow;
    p.programDir = QCoreApplication::applicationDirPath().toStdString();
    p.message = [](const QString& title, const QString& text) { showMessageBox(title, text); };
    p.ask = [](const QString& title, const QString& text) { return askYesNo(title, text); };
    p.beep = alertSound;
    p.startProgram = [](const QString& program, const QStringList& args) {
        return QProcess::startDetached(program, args);
    };
    p.quit = [] { QApplication::exit(0); };
    return p;
}

} // namespace kavro
