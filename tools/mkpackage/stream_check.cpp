#include "tools/mkpackage/stream_check.h"

#include <zlib.h>

namespace mkpackage {

namespace {

class Inflater {
 public:
  Inflater() { m_ready = inflateInit(&m_stream) == Z_OK; }
  ~Inflater() {
    if (m_ready) inflateEnd(&m_stream);
  }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  bool Ready() const { return m_ready; }
  z_stream& Stream() { return m_stream; }

 private:
  z_stream m_stream{};
  bool m_ready = false;
};

std::string DescribeFailure(int code, const z_stream& stream) {
  switch (code) {
    case Z_BUF_ERROR: return "zlib stream is cut short";
    case Z_NEED_DICT: return "zlib stream needs a preset dictionary";
    case Z_MEM_ERROR: return "out of memory while inflating";
    case Z_DATA_ERROR:
      return std::string("corrupt zlib stream (") + (stream.msg ? stream.msg : "data error") + ")";
  }
  return "zlib error " + std::to_string(code);
}

}  // namespace

StreamCheck CheckZlibStream(std::span<const uint8_t> stored) {
  StreamCheck check;
  if (stored.empty()) {
    check.problem = "entry holds no stored bytes";
    return check;
  }
  Inflater inflater;
  if (!inflater.Ready()) {
    check.problem = "zlib could not start inflating";
    return check;
  }
  z_stream& stream = inflater.Stream();
  stream.next_in = const_cast<Bytef*>(stored.data());
  stream.avail_in = static_cast<uInt>(stored.size());
  uint8_t output[16384];
  int code = Z_OK;
  while (code == Z_OK) {
    stream.next_out = output;
    stream.avail_out = sizeof output;
    code = inflate(&stream, Z_NO_FLUSH);
    check.uncompressedSize += sizeof output - stream.avail_out;
  }
  if (code != Z_STREAM_END) {
    check.problem = DescribeFailure(code, stream);
  } else {
    check.trailingBytes = stream.avail_in;
  }
  return check;
}

std::string StreamCheck::StrictProblem() const {
  if (!problem.empty() || trailingBytes == 0) return problem;
  return "zlib stream ends " + std::to_string(trailingBytes) + " bytes before the stored data does";
}

}  // namespace mkpackage
