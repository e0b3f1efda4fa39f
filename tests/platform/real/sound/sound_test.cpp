// Sound: mixing without a device, the game's calls on SDL's dummy driver, decoding into the output
// format. What the device receives, a missing device, pause and resume are played end to end.
#include <cmath>
#include <numbers>
#include <ranges>

#include "gfx_support.h"
#include "music/vorbis_packets.h"
#include "platform/real/sound/ogg_stream.h"
#include "platform/real/sound/sound.h"
#include "platform/real/sound/sound_decode.h"
#include "platform/real/sound/sound_mixer.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr int kMusic = 0, kOther = 5;
constexpr float kQuick = -0.1f;  // the encoder's lowest quality: small and quick

bool init_dummy_sound() { return setenv("SDL_AUDIODRIVER", "dummy", 1) == 0 && sound_init() == 1; }  // needs no device

void PutLe(Bytes& out, uint32_t value, int bytes) { for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i))); }

Bytes SineWav(double frequency, uint32_t rate) {  // a second of mono PCM at half scale
  const uint32_t frames = rate;
  Bytes out;
  for (const uint32_t field : {0x46464952u, 36 + frames * 2, 0x45564157u, 0x20746d66u, 16u, 0x10001u, rate, rate * 2, 0x100002u,
                               0x61746164u, frames * 2})  // "RIFF", "WAVE", "fmt " PCM mono, "data"
    PutLe(out, field, 4);
  for (uint32_t frame = 0; frame < frames; ++frame)
    PutLe(out, static_cast<uint16_t>(std::lround(16383.5 * std::sin(2 * std::numbers::pi * frequency * frame / rate))), 2);
  return out;
}

// The encoded packets with copies of the middle one put in the middle (the frames each adds counted
// into every later granule), at least `extraFrames` more: a silent track that much longer, minutes of
// music in a few hundred kilobytes.
music::VorbisPackets Lengthened(music::VorbisPackets packets, int64_t extraFrames) {
  const size_t middle = packets.audio.size() / 2;
  const int64_t frames = packets.audio[middle].granule - packets.audio[middle - 1].granule;
  const int64_t copies = (extraFrames + frames - 1) / frames;
  std::vector<music::VorbisPacket> copied(static_cast<size_t>(copies), packets.audio[middle]);
  for (size_t i = 0; i < copied.size(); ++i) copied[i].granule += frames * static_cast<int64_t>(i + 1);
  for (size_t i = middle + 1; i < packets.audio.size(); ++i) packets.audio[i].granule += frames * copies;
  packets.audio.insert(packets.audio.begin() + static_cast<std::ptrdiff_t>(middle + 1), copied.begin(), copied.end());
  return packets;
}

const Bytes kToneOgg = file_bytes(VESPERINE_SOURCE_DIR "/fuzz/corpus/fuzz_ogg/tone.ogg");  // 0.05 s of stereo at 44,100 Hz

// Output-format PCM (S16LE stereo): the (left, right) frames, `times` over.
Bytes Pcm(std::initializer_list<std::pair<int16_t, int16_t>> frames, int times = 1) {
  Bytes out;
  for (int i = 0; i < times; ++i)
    for (const auto& [left, right] : frames) PutLe(out, static_cast<uint16_t>(left) | static_cast<uint32_t>(static_cast<uint16_t>(right)) << 16, 4);
  return out;
}

// Sample `index` (counting left and right separately) of S16LE bytes.
int16_t SampleAt(const Bytes& pcm, size_t index) { return static_cast<int16_t>(pcm[index * 2] | pcm[index * 2 + 1] << 8); }

// Every byte a stream gives, asked for `chunk` bytes at a time.
Bytes ReadAll(PcmStream& stream, size_t chunk) {
  Bytes out, buffer(chunk);
  for (size_t got = 0; (got = stream.read(buffer.data(), chunk)) > 0;) out.insert(out.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(got));
  return out;
}

Bytes Mix(ChannelTable& channels, size_t frames) {
  Bytes out(frames * kOutputFrameBytes, 0);
  return mix_channels(channels, out.data(), out.size()), out;
}

// A side of a sound as heard: the pitch of its tone and its level (the peak of a sine of that power).
struct Tone { int hertz = 0, level = 0; };

// Each side of output-format PCM from frame `from` for `frames` frames, its pitch counted in upward
// zero crossings.
std::array<Tone, 2> Heard(const Bytes& pcm, size_t from, size_t frames) {
  std::array<Tone, 2> heard;
  for (const int side : {0, 1}) {
    int64_t crossings = 0, power = 0;
    for (size_t frame = from + 1; frame < from + frames; ++frame) {
      const int sample = SampleAt(pcm, frame * 2 + side);
      crossings += SampleAt(pcm, frame * 2 - 2 + side) < 0 && sample >= 0;
      power += sample * sample;
    }
    heard[side] = {static_cast<int>(crossings * kOutputRate / static_cast<int64_t>(frames)), static_cast<int>(std::lround(std::sqrt(2.0 * power / frames)))};
  }
  return heard;
}

// Within a semitone's tenth of the pitch and 5 % of the level.
void ExpectHeard(const std::array<Tone, 2>& heard, const std::array<Tone, 2>& expected, const std::string& what) {
  for (const int side : {0, 1}) {
    EXPECT_NEAR(heard[side].hertz, expected[side].hertz, expected[side].hertz * 0.006 + 3) << what << (side == 0 ? ", left" : ", right");
    EXPECT_NEAR(heard[side].level, expected[side].level, expected[side].level * 0.05) << what << (side == 0 ? ", left" : ", right");
  }
}

TEST(SoundMixer, SumsSaturationVolumesShortSoundsLoopsPausesAndChannels) {
  const Bytes loud = Pcm({{30000, -30000}}, 4), quiet = Pcm({{10000, -100}}, 3);
  ChannelTable channels;
  for (const int sound : {kMusic, kOther}) channel_play(channels, sound, quiet.data(), quiet.size(), 100, 0);
  Bytes out = Mix(channels, 4);
  EXPECT_EQ(std::vector<int>({SampleAt(out, 0), SampleAt(out, 5), SampleAt(out, 6)}), std::vector<int>({20000, -200, 0}));
  EXPECT_EQ(channel_status(channels, kMusic), ChannelFree) << "past the end";
  for (const int sound : {kMusic, kOther}) channel_play(channels, sound, loud.data(), loud.size(), 100, 0);
  out = Mix(channels, 1);
  EXPECT_EQ(std::make_pair(SampleAt(out, 0), SampleAt(out, 1)), std::make_pair(int16_t{32767}, int16_t{-32768}));
  channel_stop(channels, kOther);
  std::vector<int> atVolume;  // 10, then 150 and -5 clamped to 100 and 0
  for (const int volume : {10, 150, -5}) channel_set_volume(channels, kMusic, volume), atVolume.push_back(SampleAt(Mix(channels, 1), 0));
  EXPECT_EQ(atVolume, std::vector<int>({30000 * 12 / 128, 30000, 0}));
  const Bytes pcm = Pcm({{10, 10}, {20, 20}, {30, 30}});
  channel_play(channels, kMusic, pcm.data(), pcm.size(), 100, kSoundLoop);
  out = Mix(channels, 8);  // 10 20 30 10 20 30 10 20, then 30 next time
  for (int frame = 0; frame < 8; ++frame) EXPECT_EQ(SampleAt(out, frame * 2), (frame % 3 + 1) * 10) << frame;
  EXPECT_EQ((channel_pause(channels, kMusic), Mix(channels, 2)), Bytes(8, 0));
  EXPECT_EQ((channel_resume(channels, kMusic), SampleAt(Mix(channels, 1), 0)), 30);
  channel_play(channels, kMusic, pcm.data(), pcm.size(), 100, kSoundLoop);
  EXPECT_EQ(SampleAt(Mix(channels, 1), 0), 10) << "playing again restarts";
  channel_play(channels, kMusic, pcm.data(), pcm.size(), 100, kSoundNoRestart);
  EXPECT_EQ(SampleAt(Mix(channels, 1), 0), 20 + 10) << "or plays beside on a second channel";
  channel_play(channels, kOther, pcm.data(), pcm.size(), 100, 0), channel_pause(channels, kMusic);
  EXPECT_EQ(channel_status(channels, kOther), ChannelPlaying);
  for (int sound = 10; sound < 10 + kMixChannels; ++sound) channel_play(channels, sound, pcm.data(), pcm.size(), 100, 0);
  EXPECT_EQ(channel_status(channels, 10 + kMixChannels - 4), ChannelPlaying);
  EXPECT_EQ(channel_status(channels, 10 + kMixChannels - 3), ChannelFree) << "every channel was busy";
}

TEST(Sound, OggPlaysToItsEndBrokenDataRemovesTheOldSoundAndSoundsComeOutAt44100HzStereo) {
  sound_shutdown();
  EXPECT_EQ(sound_load_ogg(kMusic, kToneOgg.data(), kToneOgg.size()), 0) << "nothing works before init";
  ASSERT_TRUE(init_dummy_sound());
  ASSERT_NE(sound_load_ogg(kMusic, kToneOgg.data(), kToneOgg.size()), 0);
  EXPECT_EQ(sound_status(kMusic), SoundIdle);
  EXPECT_EQ((sound_play(kMusic, 0), sound_status(kMusic)), SoundPlaying);
  EXPECT_TRUE(wait_until([] {}, [] { return sound_status(kMusic) == SoundIdle; })) << "a sound without loop ends";
  EXPECT_EQ((sound_play(7, kSoundLoop), sound_status(7)), SoundMissing);
  const char riff[] = "RIFF\x10\0\0\0WAVEjunk";
  for (const Bytes& bad : {Bytes(kToneOgg.begin(), kToneOgg.begin() + kToneOgg.size() * 6 / 10), Bytes(kToneOgg.begin(), kToneOgg.begin() + 100),
                           Bytes(5000, 0x5a), Bytes(riff, riff + sizeof riff), Bytes()}) {
    ASSERT_NE(sound_load_ogg(kMusic, kToneOgg.data(), kToneOgg.size()), 0);
    EXPECT_EQ((sound_play(kMusic, kSoundLoop), sound_load_ogg(kMusic, bad.data(), bad.size())), 0) << bad.size();
    EXPECT_EQ(sound_status(kMusic), SoundMissing);
  }
  sound_shutdown();
  // 48 kHz mono: unconverted it would come out 9 % sharp and on one side only.
  Bytes pcm, wav = SineWav(440, 48000);
  ASSERT_TRUE(wav_decode(wav.data(), wav.size(), &pcm));
  ASSERT_NEAR(pcm.size() / 4, 44100, 10);
  ExpectHeard(Heard(pcm, 0, 44100), {Tone{440, 16384}, Tone{440, 16384}}, "48 kHz mono WAV");
}

// Short sounds decoded whole as they load, to the sample what the stream gives: the block may go at
// once, and two play at the same time, each to its end. One cut short, damaged or longer than a
// minute does not load, and takes the old sound of its number away.
TEST(Sound, ShortSoundsDecodedWholeAtLoadingPlayWithoutTheirBlockTwoAtATime) {
  const auto tone = [](size_t frame, int side) { return 0.3f * std::sin(frame * (side + 1) * 0.05f); };
  Bytes ogg = music::oggStream(music::encodeVorbis(44100, 2, 90000, kQuick, {}, tone), 7);
  // Damaged: a second link with a page whose checksum fails, found only once the first has played.
  Bytes whole, damaged = music::oggStream(music::encodeVorbis(44100, 2, 90000, kQuick, {}, tone), 9);
  damaged[damaged.size() / 2] ^= 0x55;
  damaged.insert(damaged.begin(), ogg.begin(), ogg.end());
  const Bytes cut(ogg.begin(), ogg.begin() + ogg.size() * 6 / 10);
  const Bytes longer = music::oggStream(Lengthened(music::encodeVorbis(44100, 2, 44100, kQuick, {}, [](size_t, int) { return 0.0f; }), int64_t{61} * 44100), 7);
  ASSERT_TRUE(ogg_decode_whole(ogg.data(), ogg.size(), &whole));
  EXPECT_TRUE(whole == ReadAll(*ogg_stream_open(ogg.data(), ogg.size()), 4096));
  for (const Bytes* bad : std::initializer_list<const Bytes*>{&cut, &damaged, &longer}) EXPECT_FALSE(ogg_decode_whole(bad->data(), bad->size(), &whole)) << bad->size();
  ASSERT_TRUE(init_dummy_sound());
  for (const int sound : {kOther, kOther + 1}) ASSERT_NE(sound_load_ogg_decoded(sound, ogg.data(), ogg.size()), 0);
  std::ranges::fill(ogg, uint8_t{0});
  sound_play(kOther, 0), sound_play(kOther + 1, 0);
  EXPECT_EQ(std::make_pair(sound_status(kOther), sound_status(kOther + 1)), std::make_pair(int{SoundPlaying}, int{SoundPlaying}));
  EXPECT_TRUE(wait_until([] {}, [] { return sound_status(kOther) == SoundIdle && sound_status(kOther + 1) == SoundIdle; }));
  EXPECT_EQ(sound_load_ogg_decoded(kOther, damaged.data(), damaged.size()), 0);
  EXPECT_EQ(sound_status(kOther), SoundMissing);
  sound_shutdown();
}

// Links one after the other, stereo with a tone of its own on each side or mono, at 44,100, 22,050
// and 48,000 Hz: the mixer hears each side of each link at its own pitch and at the level the file
// holds, alike when the stream is read a frame at a time.
TEST(OggStream, EachSideOfEachLinkReachesTheMixerAtItsPitchAndLevel) {
  struct Link { int rate, channels; std::array<Tone, 2> sides; };
  const Link links[] = {{44100, 2, {Tone{440, 16384}, Tone{660, 6554}}}, {22050, 1, {Tone{330, 13107}, Tone{330, 13107}}},
                        {48000, 2, {Tone{550, 4915}, Tone{770, 19661}}}};
  Bytes chained;
  for (const auto& [rate, channels, sides] : links) {
    const auto sample = [&](size_t frame, int side) {
      return sides[side].level / 32768.f * std::sin(2 * std::numbers::pi_v<float> * sides[side].hertz * frame / rate);
    };
    std::ranges::copy(music::oggStream(music::encodeVorbis(rate, channels, rate / 2, kQuick, {}, sample), 7), std::back_inserter(chained));
  }
  const std::unique_ptr<PcmStream> stream = ogg_stream_open(chained.data(), chained.size());
  ChannelTable channels;
  const Bytes mixed = (channel_play_stream(channels, kMusic, stream.get(), 100, 0), Mix(channels, 3 * 22050 + 100));
  Bytes framesAtATime = stream->restart() ? ReadAll(*stream, 4) : Bytes();
  framesAtATime.resize(mixed.size());
  EXPECT_TRUE(framesAtATime == mixed);
  for (size_t link = 0; link < std::size(links); ++link)  // half a second each, its first and last tenths aside
    ExpectHeard(Heard(mixed, link * 22050 + 2205, 22050 - 4410), links[link].sides, std::to_string(links[link].rate) + " Hz");
}

TEST(OggStream, LoopsSeamlesslyInTheMixRestartsAndStopsAndTracksOfAnyLengthPlayButNotNothing) {
  const Bytes tone = music::oggStream(music::encodeVorbis(44100, 2, 10000, kQuick, {}, [](size_t frame, int side) { return 0.5f * std::sin(frame * (side + 1) * 0.06f); }), 7);
  const std::unique_ptr<PcmStream> stream = ogg_stream_open(tone.data(), tone.size());
  const Bytes once = ReadAll(*stream, 4096);
  ASSERT_EQ(once.size() / 4, 10000u) << "every frame, as long as encoded";
  ChannelTable channels;
  channel_play_stream(channels, kMusic, stream.get(), 100, kSoundLoop);
  Bytes mixed, expected;
  for (int buffer = 0; buffer < 50; ++buffer) std::ranges::copy(Mix(channels, 517), std::back_inserter(mixed));
  while (expected.size() < mixed.size()) expected.insert(expected.end(), once.begin(), once.end());
  expected.resize(mixed.size());
  EXPECT_EQ(std::ranges::mismatch(mixed, expected).in1 - mixed.begin(), std::ssize(mixed)) << "to the sample across two loops";
  EXPECT_EQ((channel_pause(channels, kMusic), Mix(channels, 3)), Bytes(12, 0));
  EXPECT_EQ((channel_resume(channels, kMusic), Mix(channels, 1)), Bytes(once.begin() + 25850 * 4 - 20000 * 4, once.begin() + 25851 * 4 - 20000 * 4)) << "on from where it paused";
  Bytes onceThenSilence = once;
  onceThenSilence.resize(once.size() + 4);
  EXPECT_EQ((channel_play_stream(channels, kMusic, stream.get(), 100, 0), Mix(channels, 10001)), onceThenSilence) << "from the beginning again, and once only";
  EXPECT_EQ(channel_status(channels, kMusic), ChannelFree);

  // 26 minutes at 44,100 Hz stereo (268 MiB of samples) play through; a stream that brings its
  // first sound and then a long run of packets that decode to nothing is stopped within the run,
  // never reaching the sound after it.
  music::VorbisPackets hostile = music::encodeVorbis(44100, 2, 44100, kQuick, {}, [](size_t, int) { return 0.0f; });
  const Bytes longTrack = music::oggStream(Lengthened(hostile, int64_t{26} * 60 * 44100), 7);
  hostile.audio.insert(hostile.audio.begin() + 3, 400000, {{1}, hostile.audio[2].granule});
  const Bytes nothing = music::oggStream(hostile, 7);
  ASSERT_TRUE(init_dummy_sound());
  EXPECT_NE(sound_load_ogg(kMusic, longTrack.data(), longTrack.size()), 0);
  for (const auto& [bytes, frames] : {std::pair{&longTrack, int64_t{26} * 60 * 44100}, std::pair{&nothing, int64_t{0}}}) {
    const std::unique_ptr<PcmStream> opened = ogg_stream_open(bytes->data(), bytes->size());
    ASSERT_TRUE(opened != nullptr);
    uint8_t buffer[1 << 16];
    int64_t played = 0;
    for (size_t got = 0; (got = opened->read(buffer, sizeof buffer)) > 0;) played += static_cast<int64_t>(got / 4);
    EXPECT_TRUE(played >= frames && played < frames + 44100 * 3) << played << " frames of " << bytes->size() << " bytes";
    EXPECT_EQ(opened->damaged(), frames == 0) << "stopped for what it did, or ended";
    EXPECT_TRUE(opened->restart());
  }
  sound_shutdown();
}

// Cover art in a comment, read once: looping never reads the headers again. Links one after the
// other (as concatenated files give) each converted from its own format; a link the game cannot
// play, or damaged, stops the stream, which plays again from its first link.
TEST(OggStream, TagsOfAnySizeAndChainedLinksPlayInOrderAndLoopFromTheFirstLink) {
  const auto tone = [](size_t frame, int side) { return 0.4f * std::sin(frame * (side + 2) * 0.03f); };
  const Bytes firstAlone = music::oggStream(music::encodeVorbis(44100, 2, 30000, kQuick, {}, tone), 7);
  const Bytes firstPcm = ReadAll(*ogg_stream_open(firstAlone.data(), firstAlone.size()), 4096);
  for (const size_t tag : {size_t{300} << 10, size_t{1} << 20, size_t{4} << 20}) {
    Bytes tagged = music::oggStream(music::encodeVorbis(44100, 2, 30000, kQuick, {{"METADATA_BLOCK_PICTURE", std::string(tag, 'A')}}, tone), 7);
    const std::unique_ptr<PcmStream> stream = ogg_stream_open(tagged.data(), tagged.size());
    ASSERT_TRUE(stream != nullptr && ReadAll(*stream, 4096) == firstPcm) << tag;
    std::fill_n(tagged.begin(), tag, uint8_t{0});
    EXPECT_TRUE(stream->restart() && ReadAll(*stream, 4096) == firstPcm) << tag;
  }
  // Then alike with the same serial, 22,050 Hz mono, 48 kHz, three channels, a page lost, or eight
  // links without a sample.
  for (const auto& [rate, channels, frames, serial, damage] : {std::tuple{44100, 2, 20000, 7, false}, {22050, 1, 10000, 9, false}, {48000, 2, 20000, 9, false},
                                                               {44100, 3, 20000, 9, false}, {44100, 2, 90000, 9, true}, {44100, 2, 0, 9, false}}) {
    music::VorbisPackets packets = music::encodeVorbis(rate, channels, frames, kQuick, {}, tone);
    if (frames == 0) packets.audio.clear();
    Bytes second, chained = firstAlone;
    for (int link = 0; link < (frames == 0 ? 8 : 1); ++link) std::ranges::copy(music::oggStream(packets, serial), std::back_inserter(second));
    const std::unique_ptr<PcmStream> alone = ogg_stream_open(second.data(), second.size());
    const Bytes secondPcm = alone != nullptr ? ReadAll(*alone, 4096) : Bytes();
    if (damage) second[second.size() / 2] ^= 0x55;  // in a middle page, whose checksum then fails
    chained.insert(chained.end(), second.begin(), second.end());
    const std::unique_ptr<PcmStream> stream = ogg_stream_open(chained.data(), chained.size());
    const Bytes played = ReadAll(*stream, 4096);
    const bool plays = alone != nullptr && !damage;
    EXPECT_EQ(stream->damaged(), !plays) << rate << " Hz, " << channels;
    EXPECT_EQ(std::ranges::mismatch(firstPcm, played).in1, firstPcm.end()) << "the first link whole";
    EXPECT_TRUE(!plays || (played.size() == firstPcm.size() + secondPcm.size() && std::ranges::equal(secondPcm, played | std::views::drop(firstPcm.size()))))
        << played.size() / 4 << " frames";
    EXPECT_TRUE(stream->restart() && ReadAll(*stream, 4096) == played) << "again from the first link";
    if (channels != 3) continue;
    // The music stops; M plays it again from the first link.
    ASSERT_TRUE(init_dummy_sound());
    ASSERT_NE(sound_load_ogg(kMusic, chained.data(), chained.size()), 0);
    sound_play(kMusic, kSoundLoop);
    EXPECT_TRUE(wait_until([] {}, [] { return sound_status(kMusic) == SoundIdle; }));
    EXPECT_EQ((sound_play(kMusic, kSoundLoop), sound_status(kMusic)), SoundPlaying);
    sound_shutdown();
  }
}

}  // namespace
