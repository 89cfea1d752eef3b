// The input of both programs: operands opened in turn, their form told from
// their first bytes, gzip and bzip2 undone, and the bytes handed on in
// blocks.
//
// An input is opened with openInput. The compressed forms it recognises
// (gzip, bzip2, several members or streams one after another) are undone as
// the input is read, and what they hold is recognised again: so a gzip'd MRT
// dump and a gzip'd text file each come out as what they are. readInput
// then hands out the content, block by block.
#ifndef INPUT_H
#define INPUT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <sys/types.h>

// Size of one read(): large enough that system calls cost nothing, small
// enough that a block stays in the cache while it is split and parsed.
constexpr std::size_t readBlock = 256 * 1024;

// What the content of an input is, once any compression is undone.
enum class Content { Text, MRT };

// One stage of decompression; its state is private to the input layer.
struct Decoder;

struct Input {
    std::string name;  // as messages name it: the operand, or "standard input"
    int fd = -1;       // the file, or standard input
    bool ownsFd = false;
    std::vector<char> head; // content read ahead to recognise it, handed out first
    std::size_t headUsed = 0;
    // The decompression stages, the outermost first; the last gives the
    // content. Owned: closeInput frees them.
    std::vector<Decoder *> decoders;
    Content content = Content::Text;
    std::string error; // what went wrong, once a call has failed
};

// Opens OPERAND ("-" for standard input) and recognises its form; MRT is
// recognised only if ALLOW_MRT. Reads no more than it needs to decide, and
// stops as soon as the bytes at hand rule out every binary form, so that a
// live text feed is not held up. Returns false, with IN.error set, if the
// file cannot be opened or read or its compressed data is corrupt.
bool openInput(Input &in, const std::string &operand, bool allowMRT);

// Reads up to N bytes of content into BUF. Returns how many (0 at the end
// of the content), or -1 with IN.error set. May block; when it returns
// bytes, they are all the call could have without waiting again.
ssize_t readInput(Input &in, char *buf, std::size_t n);

// Frees the decompression stages of IN and closes its file, if it opened one.
void closeInput(Input &in);

// True if the bytes [P, P + N) (N at least 12) begin with an MRT record
// header of a type and subtype that MRT defines and a plausible length.
bool looksLikeMRT(const unsigned char *p, std::size_t n);

#endif
