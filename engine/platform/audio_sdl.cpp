// SDL2_mixer audio: every voice owns a fixed mixer channel; samples are converted once to the device
// format; music goes through the mixer's music stream.
#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <memory>
#include <vector>

#include "engine/platform/platform_backends.h"

namespace {

constexpr int kDeviceRate = 44100;
constexpr int kDeviceChannels = 2;
constexpr int kChannelGrowth = 32;

// Hundredths of a decibel of attenuation as a linear factor.
double db100_to_gain(int db100) { return db100 >= 0 ? 1.0 : std::pow(10.0, db100 / 2000.0); }

struct Sample {
  Mix_Chunk* chunk = nullptr;
  Uint8* memory = nullptr;  // the converted samples, owned here (the chunk only points at them)
};

class SdlAudio final : public PlatformAudio {
 public:
  ~SdlAudio() override {
    if (open_) close();
  }

  bool open() override {
    if (open_) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    Mix_Init(MIX_INIT_MP3);
    if (Mix_OpenAudio(kDeviceRate, AUDIO_S16SYS, kDeviceChannels, 1024) != 0) {
      Mix_Quit();
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
      return false;
    }
    Mix_QuerySpec(&rate_, &format_, &channels_);
    Mix_AllocateChannels(0);
    channel_count_ = 0;
    open_ = true;
    return true;
  }

  void close() override {
    if (!open_) return;
    music_close();
    Mix_HaltChannel(-1);
    for (size_t n = 0; n < samples_.size(); n++) sample_destroy(int(n));
    samples_.clear();
    voices_.clear();
    free_channels_.clear();
    Mix_AllocateChannels(0);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    open_ = false;
  }

  bool is_open() const override { return open_; }

  int sample_create(const PcmFormat& f, const uint8_t* data, uint32_t length) override {
    if (!open_ || !data || f.block_align <= 0) return -1;
    SDL_AudioFormat src_format = f.bits == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, src_format, Uint8(f.channels), f.sample_rate, format_, Uint8(channels_),
                          rate_) < 0)
      return -1;
    uint32_t whole = length / uint32_t(f.block_align) * uint32_t(f.block_align);
    if (whole == 0) return -1;
    cvt.len = int(whole);
    auto* buf = static_cast<Uint8*>(SDL_malloc(size_t(whole) * size_t(cvt.len_mult)));
    if (!buf) return -1;
    SDL_memcpy(buf, data, whole);
    cvt.buf = buf;
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) {
      SDL_free(buf);
      return -1;
    }
    uint32_t out_len = cvt.needed ? uint32_t(cvt.len_cvt) : whole;
    Mix_Chunk* chunk = Mix_QuickLoad_RAW(buf, out_len);
    if (!chunk) {
      SDL_free(buf);
      return -1;
    }
    Sample s{chunk, buf};
    for (size_t n = 0; n < samples_.size(); n++)
      if (!samples_[n].chunk) {
        samples_[n] = s;
        return int(n);
      }
    samples_.push_back(s);
    return int(samples_.size() - 1);
  }

  void sample_destroy(int sample) override {
    if (!valid_sample(sample)) return;
    Sample& s = samples_[size_t(sample)];
    for (size_t v = 0; v < voices_.size(); v++)
      if (voices_[v].channel >= 0 && voices_[v].sample == sample) Mix_HaltChannel(voices_[v].channel);
    Mix_FreeChunk(s.chunk);  // a quick-loaded chunk leaves its memory alone
    SDL_free(s.memory);
    s = Sample{};
  }

  int voice_create(int sample) override {
    if (!valid_sample(sample)) return -1;
    if (free_channels_.empty()) {
      int grown = Mix_AllocateChannels(channel_count_ + kChannelGrowth);
      if (grown <= channel_count_) return -1;
      for (int c = grown - 1; c >= channel_count_; c--) free_channels_.push_back(c);
      channel_count_ = grown;
    }
    int channel = free_channels_.back();
    free_channels_.pop_back();
    Voice v{channel, sample};
    for (size_t n = 0; n < voices_.size(); n++)
      if (voices_[n].channel < 0) {
        voices_[n] = v;
        return int(n);
      }
    voices_.push_back(v);
    return int(voices_.size() - 1);
  }

  void voice_destroy(int voice) override {
    if (!valid_voice(voice)) return;
    Voice& v = voices_[size_t(voice)];
    Mix_HaltChannel(v.channel);
    free_channels_.push_back(v.channel);
    v = Voice{};
  }

  bool voice_play(int voice, int volume_db100, int pan) override {
    if (!valid_voice(voice)) return false;
    Voice& v = voices_[size_t(voice)];
    Mix_HaltChannel(v.channel);  // a restart drops the channel's effects; halting first makes it explicit
    Mix_Volume(v.channel, int(std::lround(db100_to_gain(volume_db100) * MIX_MAX_VOLUME)));
    apply_pan(v.channel, pan);
    if (Mix_PlayChannel(v.channel, samples_[size_t(v.sample)].chunk, 0) < 0) return false;
    apply_pan(v.channel, pan);  // again: the mixer may drop effects when a channel starts
    return true;
  }

  bool voice_playing(int voice) override {
    return valid_voice(voice) && Mix_Playing(voices_[size_t(voice)].channel);
  }

  void voice_stop(int voice) override {
    if (valid_voice(voice)) Mix_HaltChannel(voices_[size_t(voice)].channel);
  }

  bool music_open(const std::string& path) override {
    music_close();
    if (!open_) return false;
    music_ = Mix_LoadMUS(path.c_str());
    return music_ != nullptr;
  }
  void music_close() override {
    if (!music_) return;
    Mix_HaltMusic();
    Mix_FreeMusic(music_);
    music_ = nullptr;
  }
  void music_play_from_start() override {
    if (music_) Mix_PlayMusic(music_, 0);
  }
  void music_stop() override {
    if (music_) Mix_HaltMusic();
  }
  void music_pause() override {
    if (music_) Mix_PauseMusic();
  }
  void music_resume() override {
    if (music_) Mix_ResumeMusic();
  }
  void music_set_volume(int volume_1000) override {
    long v = std::lround(volume_1000 * (double(MIX_MAX_VOLUME) / 1000.0));
    Mix_VolumeMusic(int(v < 0 ? 0 : v > MIX_MAX_VOLUME ? MIX_MAX_VOLUME : v));
  }
  int music_length_ms() override {
    if (!music_) return 0;
    double seconds = Mix_MusicDuration(music_);
    return seconds > 0 ? int(seconds * 1000.0) : 0;
  }
  int music_position_ms() override {
    if (!music_) return 0;
    double seconds = Mix_GetMusicPosition(music_);
    return seconds > 0 ? int(seconds * 1000.0) : 0;
  }
  bool music_active() override { return music_ && Mix_PlayingMusic(); }

 private:
  struct Voice {
    int channel = -1;
    int sample = -1;
  };

  static void apply_pan(int channel, int pan) {
    // Pan attenuates the far side by |pan| hundredths of a decibel; 255 on both sides removes the effect.
    double left = pan > 0 ? db100_to_gain(-pan) : 1.0;
    double right = pan < 0 ? db100_to_gain(pan) : 1.0;
    Mix_SetPanning(channel, Uint8(std::lround(left * 255)), Uint8(std::lround(right * 255)));
  }
  bool valid_sample(int s) const {
    return s >= 0 && size_t(s) < samples_.size() && samples_[size_t(s)].chunk;
  }
  bool valid_voice(int v) const {
    return v >= 0 && size_t(v) < voices_.size() && voices_[size_t(v)].channel >= 0;
  }

  bool open_ = false;
  int rate_ = kDeviceRate;
  Uint16 format_ = AUDIO_S16SYS;
  int channels_ = kDeviceChannels;
  int channel_count_ = 0;
  std::vector<Sample> samples_;
  std::vector<Voice> voices_;
  std::vector<int> free_channels_;
  Mix_Music* music_ = nullptr;
};

}  // namespace

std::unique_ptr<PlatformAudio> make_sdl_audio() { return std::make_unique<SdlAudio>(); }
