// The PGPLOT calls as frames: every call arrives as it was made, whatever its texts and
// however many its points, and a frame that does not hold exactly its call's values makes
// no call at all.
#include "pgplot/PictureStream.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <sstream>
#include <thread>
#include <vector>

#include "RecordedTrace.hpp"
#include "pgplot/FrameChannel.hpp"
#include "pgplot/RecordingPgplot.hpp"

namespace curvist {
namespace {

using ::testing::ElementsAre;
using testing::lines_of;

// Frames as they arrive: split at their lengths, each in float-aligned storage.
std::vector<std::vector<float>> frames_in(const std::vector<char>& bytes,
                                          std::vector<std::size_t>& lengths) {
  std::vector<std::vector<float>> frames;
  for (std::size_t at = 0; at < bytes.size();) {
    std::uint64_t length = 0;
    std::memcpy(&length, bytes.data() + at, sizeof length);
    at += sizeof length;
    std::vector<float> words((length + 3) / 4);
    std::memcpy(words.data(), bytes.data() + at, length);
    at += length;
    frames.push_back(std::move(words));
    lengths.push_back(length);
  }
  return frames;
}

// The trace of the calls made when the frames are received, and what PGBEG and PGEND gave.
std::string received(const std::vector<char>& bytes, std::vector<int>* results = nullptr) {
  std::ostringstream trace;
  RecordingPgplot pgplot(trace);
  std::vector<std::size_t> lengths;
  const auto frames = frames_in(bytes, lengths);
  for (std::size_t index = 0; index < frames.size(); ++index) {
    const auto made = make_call(frames[index], lengths[index], pgplot);
    if (!made) trace << "(no call)\n";
    if (made && made->result && results != nullptr) results->push_back(*made->result);
  }
  return trace.str();
}

TEST(PictureStream, EveryCallArrivesAsItWasMade) {
  std::ostringstream direct;
  RecordingPgplot recorder(direct);
  std::vector<char> bytes;
  FrameEncoder encoder(bytes);
  // Texts of every length modulo a word, blanks and a UTF-8 letter included.
  const std::string specification = "run 7.ps" + std::string(72, ' ') + "/ps";
  recorder.PGBEG(0, specification, 1, 2);
  encoder.call<PgplotCall::PGBEG>(0, specification, 1, 2);
  recorder.PGSLW(3);
  encoder.call<PgplotCall::PGSLW>(3);
  recorder.PGSCH(1.5f);
  encoder.call<PgplotCall::PGSCH>(1.5f);
  recorder.PGPAGE();
  encoder.call<PgplotCall::PGPAGE>();
  recorder.PGVSTD();
  encoder.call<PgplotCall::PGVSTD>();
  recorder.PGSWIN(-1e-30f, 3.25f, -0.0f, 1e30f);
  encoder.call<PgplotCall::PGSWIN>(-1e-30f, 3.25f, -0.0f, 1e30f);
  recorder.PGSCR(0, 1.0f, 0.5f, 0.0f);
  encoder.call<PgplotCall::PGSCR>(0, 1.0f, 0.5f, 0.0f);
  recorder.PGBOX("BCNST", 0.5f, 2, "BCLNST ", 0.0f, 0);
  encoder.call<PgplotCall::PGBOX>("BCNST", 0.5f, 2, "BCLNST ", 0.0f, 0);
  recorder.PGLAB("", "\xce\xbb (nm)", "Run 7 \"quoted\"");
  encoder.call<PgplotCall::PGLAB>("", "\xce\xbb (nm)", "Run 7 \"quoted\"");
  recorder.PGSLS(4);
  encoder.call<PgplotCall::PGSLS>(4);
  const std::vector<float> x{0, 1.5f, -2}, y{3, 4, 5e-7f};
  recorder.PGLINE(x, y);
  encoder.call<PgplotCall::PGLINE>(x, y);
  recorder.PGPT(x, y, 17);
  encoder.call<PgplotCall::PGPT>(x, y, 17);
  recorder.PGLINE({}, {});
  encoder.call<PgplotCall::PGLINE>(std::span<const float>(), std::span<const float>());
  recorder.PGEND();
  encoder.call<PgplotCall::PGEND>();

  std::vector<int> results;
  EXPECT_EQ(received(bytes, &results), direct.str());
  EXPECT_THAT(results, ElementsAre(1, 1)) << "PGBEG's status and PGEND's outcome come back";
}

// Keeps the points of the last line it was given, and nothing else.
struct LineCatcher final : Pgplot {
  std::vector<float> x, y;
  int PGBEG(int, std::string_view, int, int) override { return 1; }
  void PGSLW(int) override {}
  void PGSCH(float) override {}
  void PGPAGE() override {}
  void PGVSTD() override {}
  void PGSWIN(float, float, float, float) override {}
  void PGSCR(int, float, float, float) override {}
  void PGBOX(std::string_view, float, int, std::string_view, float, int) override {}
  void PGLAB(std::string_view, std::string_view, std::string_view) override {}
  void PGSLS(int) override {}
  void PGLINE(std::span<const float> xs, std::span<const float> ys) override {
    x.assign(xs.begin(), xs.end());
    y.assign(ys.begin(), ys.end());
  }
  void PGPT(std::span<const float>, std::span<const float>, int) override {}
  bool PGEND() override { return true; }
};

TEST(PictureStream, AMillionPointsCrossASocketWhileAnswersComeBack) {
  std::vector<float> x(1'000'000), y(1'000'000);
  for (std::size_t i = 0; i < x.size(); ++i) {
    x[i] = float(i);
    y[i] = float(i % 977) * 0.25f;
  }
  std::vector<char> bytes;
  FrameEncoder(bytes).call<PgplotCall::PGLINE>(x, y);
  FrameEncoder(bytes).call<PgplotCall::PGEND>();
  int sockets[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets), 0);

  // The receiver answers a PGEND it is sent while the sender is still sending: the
  // sender takes the answer in rather than waiting for room that never comes.
  LineCatcher catcher;
  std::thread receiver([&] {
    std::vector<char> answer;
    FrameEncoder(answer).answer(PgplotCall::PGEND, 1, "early\n");
    send_bytes(sockets[1], answer);
    std::vector<float> words;
    FrameReceiver frames(sockets[1]);
    while (const auto length = frames.receive(words))
      if (!make_call(words, *length, catcher)) break;
  });
  struct Taken {
    int socket;
    std::vector<std::string> answers;
  } taken{sockets[0], {}};
  const auto take = [](void* context) {
    auto& taken = *static_cast<Taken*>(context);
    std::vector<float> words;
    const auto frame = receive_frame(taken.socket, words, longest_answer);
    if (const auto answer = decode_answer(words, std::size_t(frame.length)))
      taken.answers.push_back(answer->errors);
  };
  EXPECT_TRUE(send_bytes(sockets[0], bytes, take, &taken));
  shutdown(sockets[0], SHUT_WR);
  receiver.join();
  close(sockets[0]);
  close(sockets[1]);
  EXPECT_EQ(catcher.x, x);
  EXPECT_EQ(catcher.y, y);
  EXPECT_TRUE(taken.answers.empty() || taken.answers == std::vector<std::string>{"early\n"});
}

TEST(PictureStream, SendingToAPeerThatHasGoneFailsWithoutASignal) {
  int sockets[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets), 0);
  close(sockets[1]);
  const std::vector<char> bytes(1000, 'x');
  // SIGPIPE would end this test program.
  EXPECT_FALSE(send_bytes(sockets[0], bytes));
  std::vector<float> words;
  EXPECT_EQ(receive_frame(sockets[0], words, longest_answer).kind,
            ReceivedFrame::Kind::end_of_stream);
  EXPECT_TRUE(frame_waiting(sockets[0])) << "the end of the stream is there to be received";
  close(sockets[0]);
}

TEST(PictureStream, AFrameThatDoesNotHoldExactlyItsCallsValuesMakesNoCall) {
  std::vector<char> whole;
  FrameEncoder(whole).call<PgplotCall::PGLAB>("x", "y", "title");
  std::vector<std::size_t> lengths;
  auto frames = frames_in(whole, lengths);
  std::ostringstream trace;
  RecordingPgplot pgplot(trace);
  ASSERT_TRUE(make_call(frames[0], lengths[0], pgplot));
  EXPECT_EQ(trace.str(), "PGLAB \"x\" \"y\" \"title\"\n");

  trace.str("");
  for (const std::size_t cut : {std::size_t(0), std::size_t(4), lengths[0] - 4})
    EXPECT_FALSE(make_call(frames[0], cut, pgplot)) << "cut to " << cut << " bytes";
  frames[0].push_back(0);
  EXPECT_FALSE(make_call(frames[0], lengths[0] + 4, pgplot)) << "a word left over";
  const std::vector<float> unknown{0};
  std::int32_t call = 99;
  std::memcpy(const_cast<float*>(unknown.data()), &call, sizeof call);
  EXPECT_FALSE(make_call(unknown, 4, pgplot)) << "no such call";
  // A header that promises points, and no points after it.
  std::vector<char> points;
  FrameEncoder(points).points_header<PgplotCall::PGLINE>(1000);
  const std::size_t header_length = points.size() - frame_length_size;
  std::vector<float> header(header_length / sizeof(float));
  std::memcpy(header.data(), points.data() + frame_length_size, header_length);
  EXPECT_FALSE(make_call(header, header_length, pgplot)) << "a count of points that are not there";
  EXPECT_EQ(trace.str(), "");
}

TEST(PictureStream, AnswersCarryTheOutcomeAndTheLinesForStandardError) {
  std::vector<char> bytes;
  const std::string line = "curvist: cannot write the picture a.ps: Permission denied\n";
  FrameEncoder(bytes).answer(PgplotCall::PGEND, 0, line);
  FrameEncoder(bytes).answer(PgplotCall::PGBEG, 1, "");
  std::vector<std::size_t> lengths;
  const auto frames = frames_in(bytes, lengths);
  const auto end = decode_answer(frames[0], lengths[0]);
  ASSERT_TRUE(end);
  EXPECT_EQ(end->call, PgplotCall::PGEND);
  EXPECT_EQ(end->result, 0);
  EXPECT_EQ(end->errors, line);
  const auto begin = decode_answer(frames[1], lengths[1]);
  ASSERT_TRUE(begin);
  EXPECT_EQ(begin->call, PgplotCall::PGBEG);
  EXPECT_EQ(begin->result, 1);

  std::vector<char> not_an_answer;
  FrameEncoder(not_an_answer).answer(PgplotCall::PGSLW, 0, "");
  lengths.clear();
  const auto other = frames_in(not_an_answer, lengths);
  EXPECT_FALSE(decode_answer(other[0], lengths[0]));
}

}  // namespace
}  // namespace curvist
