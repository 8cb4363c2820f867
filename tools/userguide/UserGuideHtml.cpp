// Turns the user guide (CommonMark) into one HTML page for the help key.
// Headings get the anchors the guide's table of contents links to (the
// form the source hosting derives: lower case, punctuation dropped, blanks
// as hyphens). Usage: UserGuideHtml <guide.md> <guide.html>
#include <cmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

namespace {

struct TFreeNode {
    void operator()(cmark_node* node) const { cmark_node_free(node); }
};

std::string Rendered(cmark_node* node) {
    char* html = cmark_render_html(node, CMARK_OPT_DEFAULT);
    std::string text(html);
    std::free(html);
    return text;
}

std::string PlainText(cmark_node* heading) {
    std::string text;
    cmark_iter* iter = cmark_iter_new(heading);
    for (cmark_event_type event; (event = cmark_iter_next(iter)) != CMARK_EVENT_DONE;) {
        cmark_node* node = cmark_iter_get_node(iter);
        const cmark_node_type type = cmark_node_get_type(node);
        if (event == CMARK_EVENT_ENTER && (type == CMARK_NODE_TEXT || type == CMARK_NODE_CODE))
            text += cmark_node_get_literal(node);
    }
    cmark_iter_free(iter);
    return text;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Letters of the Latin blocks stay (upper case folded), other punctuation goes.
std::string Slug(const std::string& text) {
    std::string slug;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (int k = 1; k < length && i + k < text.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        i += length;
        if (c >= 'A' && c <= 'Z')
            c += 'a' - 'A';
        else if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
            c += 0x20;
        const bool ascii = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
        const bool latin = c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7;
        if (c == ' ')
            slug += '-';
        else if (ascii || latin)
            AppendUtf8(slug, c);
    }
    return slug;
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

const char* const Style =
    R"(body{font-family:sans-serif;max-width:50em;margin:1em auto;padding:0 1em;line-height:1.45}
img{max-width:100%;border:1px solid #ccc}
table{border-collapse:collapse}th,td{border:1px solid #bbb;padding:.2em .5em;vertical-align:top}
code,pre{background:#f3f3f3}pre{padding:.5em;overflow:auto}
blockquote{border-left:4px solid #9bc;margin-left:0;padding-left:1em})";

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: UserGuideHtml <guide.md> <guide.html>\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in.is_open()) {
        std::cerr << "cannot read " << argv[1] << "\n";
        return 1;
    }
    std::ostringstream source;
    source << in.rdbuf();
    const std::string markdown = source.str();
    const std::unique_ptr<cmark_node, TFreeNode> document(
        cmark_parse_document(markdown.data(), markdown.size(), CMARK_OPT_DEFAULT));

    std::string title = "Benutzerhandbuch";
    std::string body;
    std::map<std::string, int> used;
    for (cmark_node* node = cmark_node_first_child(document.get()); node;
         node = cmark_node_next(node)) {
        std::string html = Rendered(node);
        if (cmark_node_get_type(node) == CMARK_NODE_HEADING) {
            const std::string text = PlainText(node);
            if (cmark_node_get_heading_level(node) == 1)
                title = text;
            std::string anchor = Slug(text);
            if (const int seen = used[anchor]++; seen > 0)
                anchor += "-" + std::to_string(seen);
            html.insert(3, " id=\"" + Escaped(anchor) + "\"");
        }
        body += html;
    }

    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n<title>"
        << Escaped(title) << "</title>\n<style>\n"
        << Style << "\n</style>\n</head>\n<body>\n"
        << body << "</body>\n</html>\n";
    out.close();
    if (!out) {
        std::cerr << "cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
