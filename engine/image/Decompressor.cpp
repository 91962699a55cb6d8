// engine/image/Decompressor.cpp
#include "engine/image/Decompressor.h"

#include <string.h>

#include <bzlib.h>
#include <lzma.h>
#include <zlib.h>

#include "engine/device/LittleEndian.h"

namespace {

class cbzip2decompressor : public IDecompressor {
public:
    ~cbzip2decompressor() override { End(); }
    int Init() override
    {
        End();
        memset(&m_stream, 0, sizeof(m_stream));
        m_live = BZ2_bzDecompressInit(&m_stream, 0, 0) == BZ_OK;
        return m_live ? 1 : 0;
    }
    void SetInput(const void* data, size_t size) override
    {
        m_stream.next_in = const_cast<char*>(static_cast<const char*>(data));
        m_stream.avail_in = unsigned(size);
    }
    void SetOutput(void* buffer, size_t size) override
    {
        m_stream.next_out = static_cast<char*>(buffer);
        m_stream.avail_out = unsigned(size);
    }
    size_t GetOutputSpace() override { return m_stream.avail_out; }
    int Decompress() override
    {
        if (!m_live)
            return -1;
        int status = BZ2_bzDecompress(&m_stream);
        // A full output is not yet sound data: the stream's checksum follows its last byte.
        if (status == BZ_OK && m_stream.avail_out == 0)
            status = BZ2_bzDecompress(&m_stream);
        if (status == BZ_STREAM_END)
            return 1;
        if (m_stream.avail_out == 0)
            return -1;  // more than the output holds, or damaged
        return status == BZ_OK ? 0 : -1;
    }
    void End() override
    {
        if (m_live)
            BZ2_bzDecompressEnd(&m_stream);
        m_live = false;
    }

private:
    bz_stream m_stream{};
    bool m_live = false;
};

class czlibdecompressor : public IDecompressor {
public:
    ~czlibdecompressor() override { End(); }
    int Init() override
    {
        End();
        memset(&m_stream, 0, sizeof(m_stream));
        m_live = inflateInit(&m_stream) == Z_OK;
        return m_live ? 1 : 0;
    }
    void SetInput(const void* data, size_t size) override
    {
        m_stream.next_in = const_cast<Bytef*>(static_cast<const Bytef*>(data));
        m_stream.avail_in = uInt(size);
    }
    void SetOutput(void* buffer, size_t size) override
    {
        m_stream.next_out = static_cast<Bytef*>(buffer);
        m_stream.avail_out = uInt(size);
    }
    size_t GetOutputSpace() override { return m_stream.avail_out; }
    int Decompress() override
    {
        if (!m_live)
            return -1;
        int status = inflate(&m_stream, Z_NO_FLUSH);
        // A full output is not yet sound data: the stream's checksum follows its last byte.
        if (status == Z_OK && m_stream.avail_out == 0)
            status = inflate(&m_stream, Z_NO_FLUSH);
        if (status == Z_STREAM_END)
            return 1;
        if (m_stream.avail_out == 0)
            return -1;  // more than the output holds, or damaged
        return (status == Z_OK || status == Z_BUF_ERROR) ? 0 : -1;
    }
    void End() override
    {
        if (m_live)
            inflateEnd(&m_stream);
        m_live = false;
    }

private:
    z_stream m_stream{};
    bool m_live = false;
};

// A raw LZMA stream behind a 5-byte header: the properties byte ((pb x 5 + lp) x 9 + lc) and
// the dictionary size; no size field, so decoding stops when the output is full or the
// stream's end marker arrives.
class clzmadecompressor : public IDecompressor {
public:
    ~clzmadecompressor() override { End(); }
    int Init() override
    {
        End();
        m_stream = LZMA_STREAM_INIT;
        return 1;
    }
    void SetInput(const void* data, size_t size) override
    {
        m_input = static_cast<const unsigned char*>(data);
        m_inputSize = size;
    }
    void SetOutput(void* buffer, size_t size) override
    {
        m_output = static_cast<unsigned char*>(buffer);
        m_outputSize = size;
        m_space = size;
    }
    size_t GetOutputSpace() override { return m_space; }
    int Decompress() override
    {
        const size_t kHeader = 5;
        if (!m_input || m_inputSize < kHeader || !m_output)
            return -1;
        unsigned props = m_input[0];
        // Valid property bytes encode lc <= 8, lp <= 4, pb <= 4: at most 224.
        if (props >= 9 * 5 * 5)
            return -1;
        lzma_options_lzma options;
        memset(&options, 0, sizeof(options));
        lzma_lzma_preset(&options, 6);
        options.lc = props % 9;
        options.lp = (props / 9) % 5;
        options.pb = props / 45;
        if (options.lc + options.lp > 4)
            return -1;
        options.dict_size = GetU32(m_input + 1);
        if (options.dict_size < LZMA_DICT_SIZE_MIN)
            options.dict_size = LZMA_DICT_SIZE_MIN;
        // The whole chunk fits its dictionary; a larger one would only waste memory.
        if (options.dict_size > (1u << 26))
            options.dict_size = 1u << 26;
        lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
        if (lzma_raw_decoder(&m_stream, filters) != LZMA_OK)
            return -1;
        m_live = true;
        m_stream.next_in = m_input + kHeader;
        m_stream.avail_in = m_inputSize - kHeader;
        m_stream.next_out = m_output;
        m_stream.avail_out = m_outputSize;
        lzma_ret status = LZMA_OK;
        while (status == LZMA_OK && m_stream.avail_out > 0 && m_stream.avail_in > 0)
            status = lzma_code(&m_stream, LZMA_RUN);
        if (status == LZMA_OK && m_stream.avail_out > 0)
            status = lzma_code(&m_stream, LZMA_FINISH);
        m_space = m_stream.avail_out;
        if (status == LZMA_STREAM_END || (status == LZMA_OK && m_space == 0))
            return 1;
        // Input ran out before the output was full: a truncated chunk.
        return (status == LZMA_OK || status == LZMA_BUF_ERROR) ? 0 : -1;
    }
    void End() override
    {
        if (m_live)
            lzma_end(&m_stream);
        m_live = false;
    }

private:
    lzma_stream m_stream = LZMA_STREAM_INIT;
    bool m_live = false;
    const unsigned char* m_input = nullptr;
    size_t m_inputSize = 0;
    unsigned char* m_output = nullptr;
    size_t m_outputSize = 0;
    size_t m_space = 0;
};

}  // namespace

IDecompressor* CreateDecompressor(uint32_t compression)
{
    switch (compression) {
    case kImageBzip2:
        return new cbzip2decompressor;
    case kImageZlib:
        return new czlibdecompressor;
    case kImageLzma:
        return new clzmadecompressor;
    default:
        return nullptr;
    }
}

long DecompressChunk(IDecompressor* decompressor, const void* input, size_t inputSize, void* output,
                     size_t outputSize)
{
    if (!decompressor || !input || !output)
        return -1;
    if (!decompressor->Init())
        return -1;
    decompressor->SetInput(input, inputSize);
    decompressor->SetOutput(output, outputSize);
    int status = decompressor->Decompress();
    size_t space = decompressor->GetOutputSpace();
    decompressor->End();
    // Every chunk decodes to whole sectors in one call; a stream that needs more input than
    // it was stored with is truncated.
    if (status != 1 || space > outputSize)
        return -1;
    return long(outputSize - space);
}
