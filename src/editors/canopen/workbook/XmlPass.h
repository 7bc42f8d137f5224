#pragma once
#include <exception>
#include <string>
#include <string_view>

struct XML_ParserStruct; // expat's parser

inline namespace zz {

// One pass of expat over a document handed over in pieces. Without a namespace separator,
// names come as written ("x:row"); with one, as the namespace URI, the separator and the local
// name. Nothing is thrown while the pieces come: a failure of the
// document or of the handler is kept and the rest ignored, so that whoever hands over the
// pieces finishes first (a ZIP member's checksum is checked after its last piece). Finish then
// throws it.
class XmlPass {
public:
    // What ends a run of text without being an element.
    enum class Mark { CdataStart, CdataEnd, Other /* a comment or a processing instruction */ };

    class Handler {
    public:
        virtual ~Handler() = default;
        virtual void Start(std::string_view name, const char** attributes) = 0;
        virtual void End() = 0;
        virtual void Text(std::string_view text) = 0;
        virtual void Markup(Mark mark) = 0;
    };

    // `part` names the document in messages ("xl/worksheets/sheet1.xml").
    XmlPass(Handler& handler, std::string part, char namespaceSeparator = '\0');
    ~XmlPass();
    XmlPass(const XmlPass&) = delete;
    XmlPass& operator=(const XmlPass&) = delete;

    void Feed(std::string_view piece);

    // After the last piece. Throws what the handler threw first, or Failure ("The workbook is
    // damaged ('part')") for a document that is not well-formed or declares entities.
    void Finish();

private:
    void Parse(std::string_view piece, bool last);
    template <class F>
    static void Guarded(void* self, F&& handle);

    Handler& handler_;
    std::string part_;
    ::XML_ParserStruct* parser_;
    std::exception_ptr failure_;
};

} // namespace zz
