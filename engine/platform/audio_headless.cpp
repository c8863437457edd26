// Headless audio: no device; voices and the music stream run on the headless platform clock, and every
// play, volume and music command is recorded for tests.

#include <memory>
#include <vector>

#include "engine/platform/platform_backends.h"
#include "engine/platform/headless_audio.h"
#include "engine/platform/os_files.h"
#include "engine/platform/platform.h"

namespace {

bool g_device_available = true;
int g_next_music_length = -1;
std::vector<HeadlessSoundPlay> g_plays;
std::vector<HeadlessMusicEvent> g_music_events;

double clock_ms() {
  Platform& p = platform();
  uint64_t freq = p.counter_frequency();
  if (freq == 0) return double(p.ticks_ms());
  return double(p.counter()) * 1000.0 / double(freq);
}

struct Sample {
  bool used = false;
  double duration_ms = 0;
};

struct Voice {
  bool used = false;
  int sample = -1;
  bool started = false;
  double start_ms = 0;
};

std::vector<Sample>* g_samples_view = nullptr;

class HeadlessAudio final : public PlatformAudio {
 public:
  HeadlessAudio() { g_samples_view = &samples_; }
  ~HeadlessAudio() override {
    if (g_samples_view == &samples_) g_samples_view = nullptr;
  }

  bool open() override {
    open_ = g_device_available;
    return open_;
  }
  void close() override {
    samples_.clear();
    voices_.clear();
    music_close();
    open_ = false;
  }
  bool is_open() const override { return open_; }

  int sample_create(const PcmFormat& format, const uint8_t* data, uint32_t length) override {
    if (!open_ || !data || length == 0 || format.block_align <= 0 || format.sample_rate <= 0) return -1;
    Sample s;
    s.used = true;
    s.duration_ms = double(length / uint32_t(format.block_align)) * 1000.0 / format.sample_rate;
    return store(samples_, s);
  }
  void sample_destroy(int sample) override {
    if (valid(samples_, sample)) samples_[sample].used = false;
  }

  int voice_create(int sample) override {
    if (!valid(samples_, sample)) return -1;
    Voice v;
    v.used = true;
    v.sample = sample;
    return store(voices_, v);
  }
  void voice_destroy(int voice) override {
    if (valid(voices_, voice)) voices_[voice] = Voice{};
  }
  bool voice_play(int voice, int volume_db100, int pan) override {
    if (!valid(voices_, voice)) return false;
    Voice& v = voices_[voice];
    v.started = true;
    v.start_ms = clock_ms();
    g_plays.push_back({voice, v.sample, volume_db100, pan, v.start_ms});
    return true;
  }
  bool voice_playing(int voice) override {
    if (!valid(voices_, voice)) return false;
    Voice& v = voices_[voice];
    if (!v.started) return false;
    if (clock_ms() - v.start_ms >= samples_[v.sample].duration_ms) v.started = false;
    return v.started;
  }
  void voice_stop(int voice) override {
    if (valid(voices_, voice)) voices_[voice].started = false;
  }

  bool music_open(const std::string& path) override {
    music_close();
    if (!open_) return false;
    OsFileInfo info;
    if (!os_stat(path, info)) return false;
    music_open_ = true;
    music_length_ = g_next_music_length >= 0 ? g_next_music_length : int(info.size / 16);  // 128 kbit/s
    g_next_music_length = -1;
    music_state_ = Stopped;
    music_pos_ = 0;
    log(HeadlessMusicEvent::Open, 0, path);
    return true;
  }
  void music_close() override {
    if (!music_open_) return;
    music_open_ = false;
    music_state_ = Stopped;
    log(HeadlessMusicEvent::Close, 0, "");
  }
  void music_play_from_start() override {
    if (!music_open_) return;
    music_state_ = Playing;
    music_pos_ = 0;
    music_since_ = clock_ms();
    log(HeadlessMusicEvent::Play, 0, "");
  }
  void music_stop() override {
    if (!music_open_) return;
    music_state_ = Stopped;
    music_pos_ = 0;
    log(HeadlessMusicEvent::Stop, 0, "");
  }
  void music_pause() override {
    if (!music_open_) return;
    if (music_state_ == Playing) {
      music_pos_ = position();
      music_state_ = Paused;
    }
    log(HeadlessMusicEvent::Pause, 0, "");
  }
  void music_resume() override {
    if (!music_open_) return;
    if (music_state_ == Paused) {
      music_state_ = Playing;
      music_since_ = clock_ms();
    }
    log(HeadlessMusicEvent::Resume, 0, "");
  }
  void music_set_volume(int volume_1000) override {
    if (music_open_) log(HeadlessMusicEvent::Volume, volume_1000, "");
  }
  int music_length_ms() override { return music_open_ ? music_length_ : 0; }
  int music_position_ms() override { return music_open_ ? int(position()) : 0; }
  bool music_active() override {
    return music_open_ && music_state_ != Stopped && position() < music_length_;
  }

 private:
  enum MusicState { Stopped, Playing, Paused };

  template <typename T>
  static int store(std::vector<T>& table, const T& item) {
    for (size_t n = 0; n < table.size(); n++)
      if (!table[n].used) {
        table[n] = item;
        return int(n);
      }
    table.push_back(item);
    return int(table.size() - 1);
  }
  template <typename T>
  static bool valid(const std::vector<T>& table, int n) {
    return n >= 0 && size_t(n) < table.size() && table[size_t(n)].used;
  }
  double position() const {
    double pos = music_state_ == Playing ? music_pos_ + (clock_ms() - music_since_) : music_pos_;
    return pos < music_length_ ? pos : music_length_;
  }
  void log(HeadlessMusicEvent::Kind kind, int value, const std::string& path) {
    g_music_events.push_back({kind, value, path, clock_ms()});
  }

  bool open_ = false;
  std::vector<Sample> samples_;
  std::vector<Voice> voices_;
  bool music_open_ = false;
  int music_length_ = 0;
  MusicState music_state_ = Stopped;
  double music_pos_ = 0;
  double music_since_ = 0;
};

}  // namespace

std::unique_ptr<PlatformAudio> make_headless_audio() { return std::make_unique<HeadlessAudio>(); }

void headless_audio_set_device(bool available) { g_device_available = available; }
const std::vector<HeadlessSoundPlay>& headless_audio_plays() { return g_plays; }
const std::vector<HeadlessMusicEvent>& headless_music_events() { return g_music_events; }
void headless_audio_clear_log() {
  g_plays.clear();
  g_music_events.clear();
}
void headless_music_set_next_length(int ms) { g_next_music_length = ms; }
double headless_sample_duration_ms(int sample) {
  if (!g_samples_view || sample < 0 || size_t(sample) >= g_samples_view->size() ||
      !(*g_samples_view)[size_t(sample)].used)
    return -1;
  return (*g_samples_view)[size_t(sample)].duration_ms;
}
