#include "document/XmlDocument.h"

#include <QStringEncoder>
#include <QtTest>

namespace {

// name(attribute=value,...)"text"[children], the parts that are there.
QString describe(pugi::xml_node e) {
    QString out = QString::fromUtf8(e.name());
    if (e.first_attribute()) {
        QStringList pairs;
        for (const pugi::xml_attribute& a : e.attributes())
            pairs << QString::fromUtf8(a.name()) + u'=' + QString::fromUtf8(a.value());
        out += u'(' + pairs.join(u',') + u')';
    }
    if (!qv::xmlText(e).isEmpty())
        out += u'"' + qv::xmlText(e) + u'"';
    QStringList children;
    for (pugi::xml_node child : e.children())
        if (child.type() == pugi::node_element)
            children << describe(child);
    if (!children.isEmpty())
        out += u'[' + children.join(u' ') + u']';
    return out;
}

// <a a0="0" a1="1" ... /> with count attributes, the last one named again as the first.
QByteArray manyAttributes(int count, bool repeatFirst) {
    QByteArray xml = "<a";
    for (int i = 0; i < count; ++i)
        xml += " a" + QByteArray::number(i) + "=\"" + QByteArray::number(i) + "\"";
    if (repeatFirst)
        xml += " a0=\"again\"";
    return xml + "/>";
}

QByteArray nested(int depth) {
    return QByteArray("<e>").repeated(depth) + QByteArray("</e>").repeated(depth);
}

} // namespace

class XmlDocumentTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parses_data() {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("tree");
        QTest::newRow("both quotation marks")
            << QByteArray("<a x=\"1'\" y='2\"'/>") << "a(x=1',y=2\")";
        QTest::newRow("blanks around = and before >")
            << QByteArray("<a x = \"1\"\n\ty\t=\t'2' ></a >") << "a(x=1,y=2)";
        QTest::newRow("predefined entities and character references")
            << QByteArray("<r><a t=\"&lt;&gt;&amp;&quot;&apos;\">&#65;&#x42;&#x1F600;&lt;</a></r>")
            << QString::fromUtf8("r\"AB😀<\"[a(t=<>&\"')\"AB😀<\"]");
        QTest::newRow("CDATA as it stands, blanks too")
            << QByteArray("<r><a><![CDATA[ <b>&amp; ]]></a><b><![CDATA[  ]]></b></r>")
            << "r\" <b>&amp;   \"[a\" <b>&amp; \" b\"  \"]";
        QTest::newRow("declaration, comments and processing instructions passed over")
            << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                          "<!-- before -->\n<?tool data?>\n<r><a><!-- x -->b<?p?>c</a></r>\n"
                          "<!-- after -->\n<?end?>\n")
            << "r\"bc\"[a\"bc\"]";
        QTest::newRow("blank-only text left out, a child's text gathered into its parent")
            << QByteArray("<r>\n  <b> x <c>y</c>z</b>\n  <d>\n  </d>\n</r>")
            << "r\" x yz\"[b\" x yz\"[c\"y\"] d]";
        QTest::newRow("the top element's text gathered like any other")
            << QByteArray("<r>a<b>b</b>c</r>") << "r\"abc\"[b\"b\"]";
        QTest::newRow("texts between and inside children in document order")
            << QByteArray("<r><p>1<a>2<b>3</b>4</a>5<c/>6<d>7</d></p></r>")
            << "r\"1234567\"[p\"1234567\"[a\"234\"[b\"3\"] c d\"7\"]]";
        QTest::newRow("line ends in text become line feeds")
            << QByteArray("<r><a>1\r\n2\r3\n4</a><b><![CDATA[5\r\n6\r7]]></b></r>")
            << "r\"1\n2\n3\n45\n6\n7\"[a\"1\n2\n3\n4\" b\"5\n6\n7\"]";
        QTest::newRow("tabs and line ends in attributes become blanks, references stay")
            << QByteArray("<a x=\"1\r\n2\t3\n4\" y=\"&#13;&#9;&#10;\"/>")
            << "a(x=1 2 3 4,y=\r\t\n)";
        QTest::newRow("Unicode names, values and text")
            << QByteArray(
                   "<r><\xC3\xA9 \xC3\xA4=\"\xC3\xB6\">\xE6\x97\xA5\xF0\x9F\x98\x80</\xC3\xA9></r>")
            << QString::fromUtf8("r\"日😀\"[é(ä=ö)\"日😀\"]");
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF<a/>") << "a";
        QTest::newRow("declared ISO-8859-1")
            << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r><a>\xE9</a></r>")
            << QString::fromUtf8("r\"é\"[a\"é\"]");
        QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
        QTest::newRow("UTF-16 with byte-order mark")
            << QByteArray(utf16(QString::fromUtf8("<r><a>é😀</a></r>")))
            << QString::fromUtf8("r\"é😀\"[a\"é😀\"]");
    }

    void parses() {
        QFETCH(QByteArray, xml);
        QFETCH(QString, tree);
        QString error;
        const std::unique_ptr<qv::XmlDocument> doc = qv::parseXml(xml, &error);
        QVERIFY2(doc, qPrintable(error));
        QCOMPARE(describe(doc->top()), tree);
    }

    void refusesMalformed_data() {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QByteArray() << "The file holds no XML element.";
        QTest::newRow("blanks and a comment only")
            << QByteArray(" \n<!-- x -->\n") << "The file holds no XML element.";
        QTest::newRow("unclosed tag") << QByteArray("<a x=\"1\"") << "The tag <a> is not closed.";
        QTest::newRow("unclosed element")
            << QByteArray("<a><b>text</b>") << "The element <a> is not closed.";
        QTest::newRow("mismatched closing tag")
            << QByteArray("<a><b></c></a>")
            << "The closing tag </c> does not match the open element <b>.";
        QTest::newRow("unknown entity")
            << QByteArray("<a>&nbsp;</a>") << "The entity \"&nbsp;\" is not known.";
        QTest::newRow("lone ampersand")
            << QByteArray("<a>x & y</a>") << "\"&\" must start a reference";
        QTest::newRow("reference to a character XML cannot carry")
            << QByteArray("<a>&#1;</a>") << "The character reference \"&#1;\" is not valid.";
        QTest::newRow("reference beyond Unicode")
            << QByteArray("<a>&#x110000;</a>") << "is not valid.";
        QTest::newRow("bad UTF-8") << QByteArray("<a>\xC3\x28</a>") << "not valid UTF-8";
        QTest::newRow("overlong UTF-8") << QByteArray("<a>\xC0\xAF</a>") << "not valid UTF-8";
        QTest::newRow("UTF-8 surrogate half")
            << QByteArray("<a>\xED\xA0\x80</a>") << "not valid UTF-8";
        QTest::newRow("cut-off UTF-8 in a name") << QByteArray("<a\xE6\x97") << "not valid UTF-8";
        QTest::newRow("control character")
            << QByteArray("<a>\x01</a>") << "The character U+0001 may not stand";
        QTest::newRow("attribute without quotation marks")
            << QByteArray("<a x=1/>") << "An attribute is malformed. (line 1, column 6)";
        QTest::newRow("attribute without value")
            << QByteArray("<a x/>") << "An attribute is malformed. (line 1, column 6)";
        QTest::newRow("duplicate attribute")
            << QByteArray("<a x=\"1\" y=\"2\" x='3'/>") << "The attribute \"x\" stands twice.";
        QTest::newRow("duplicate among many attributes")
            << manyAttributes(40, true) << "The attribute \"a0\" stands twice.";
        QTest::newRow("no blank between attributes")
            << QByteArray("<a x=\"1\"y=\"2\"/>") << "An attribute is malformed. (line 1, column 9)";
        QTest::newRow("< in an attribute value")
            << QByteArray("<a x=\"<\"/>") << "\"<\" may not stand in an attribute value.";
        QTest::newRow("text after the top element")
            << QByteArray("<a/>\ntext") << "Something follows the end of the top element.";
        QTest::newRow("second top element")
            << QByteArray("<a/><b/>") << "Something follows the end of the top element.";
        QTest::newRow("text before the top element")
            << QByteArray("text<a/>") << "Text stands before the top element.";
        QTest::newRow("depth over 256") << nested(257) << "Elements are nested too deeply.";
        QTest::newRow("document type declaration")
            << QByteArray("<!DOCTYPE a [<!ENTITY e \"x\">]><a>&e;</a>")
            << "A data file may not hold a document type declaration.";
        QTest::newRow("document type declaration inside")
            << QByteArray("<a><!DOCTYPE a></a>") << "document type declaration";
        QTest::newRow("]]> in text") << QByteArray("<a>x]]>y</a>") << "\"]]>\" may not stand";
        QTest::newRow("unclosed CDATA")
            << QByteArray("<a><![CDATA[x</a>") << "A CDATA section is not closed.";
        QTest::newRow("-- in a comment")
            << QByteArray("<a><!-- a -- b --></a>") << "\"--\" may not stand inside a comment.";
        QTest::newRow("unclosed comment") << QByteArray("<a/><!-- x") << "A comment is not closed.";
        QTest::newRow("declaration not at the start")
            << QByteArray("\n<?xml version=\"1.0\"?><a/>") << "only stand at the very start";
        QTest::newRow("declaration without version")
            << QByteArray("<?xml encoding=\"UTF-8\"?><a/>") << "names no version";
        QTest::newRow("unsupported encoding")
            << QByteArray("<?xml version=\"1.0\" encoding=\"no-such-encoding\"?><a/>")
            << "The encoding no-such-encoding the file declares is not supported.";
        QTest::newRow("unknown entity in an attribute value")
            << QByteArray("<a x=\"&nbsp;\"/>") << "The entity \"&nbsp;\" is not known.";
        QTest::newRow("control character in an attribute value")
            << QByteArray("<a x=\"\x02\"/>") << "The character U+0002 may not stand";
        QTest::newRow("bad UTF-8 in a comment")
            << QByteArray("<a><!-- \xFF --></a>") << "not valid UTF-8";
        QTest::newRow("closing tag without an open element")
            << QByteArray("<a/></a>") << "Something follows the end of the top element.";
        QTest::newRow("no name after <") << QByteArray("<a>< b/></a>") << "A name is expected";
    }

    void refusesMalformed() {
        QFETCH(QByteArray, xml);
        QFETCH(QString, message);
        QString error;
        QVERIFY(!qv::parseXml(xml, &error));
        QVERIFY2(error.contains(message), qPrintable(error));
        QVERIFY2(error.contains(QRegularExpression(R"(\(line \d+, column \d+\)$)")) ||
                     error.contains(u"encoding"),
                 qPrintable(error));
    }

    void errorNamesLineAndColumn() {
        QString error;
        // Of two faults the first one in the file is told, whichever check finds it.
        QVERIFY(!qv::parseXml("<a>\n<b x=1/>&nbsp;</a>", &error));
        QVERIFY2(error.startsWith(u"An attribute is malformed.") && error.contains(u"line 2,"),
                 qPrintable(error));
        QVERIFY(!qv::parseXml("<a>\n&nbsp;<b x=1/></a>", &error));
        QVERIFY2(error.endsWith(u"not known. (line 2, column 1)"), qPrintable(error));
        QVERIFY(!qv::parseXml("<a>\r\n  <b></c>\n</a>", &error));
        QVERIFY2(error.endsWith(u"(line 2, column 6)"), qPrintable(error));
        QVERIFY(!qv::parseXml(QByteArray("<a>\n\xC3\xA9\xC3\xA9&x;</a>"), &error));
        QVERIFY2(error.endsWith(u"(line 2, column 3)"), qPrintable(error));
    }

    void readsManyAttributes() {
        QString error;
        const std::unique_ptr<qv::XmlDocument> doc =
            qv::parseXml(manyAttributes(40, false), &error);
        QVERIFY2(doc, qPrintable(error));
        const auto all = doc->top().attributes();
        QCOMPARE(std::distance(all.begin(), all.end()), 40);
        QCOMPARE(qv::xmlAttribute(doc->top(), "a39"), QString("39"));
    }

    // A long text deep down is gathered into every element around it.
    void longTextManyLevelsDeep() {
        const QByteArray text(100000, 'x');
        QString error;
        const std::unique_ptr<qv::XmlDocument> doc = qv::parseXml(
            QByteArray("<e>").repeated(200) + text + QByteArray("</e>").repeated(200), &error);
        QVERIFY2(doc, qPrintable(error));
        QCOMPARE(qv::xmlText(doc->top()), QString::fromLatin1(text));
        pugi::xml_node inner = doc->top();
        while (inner.first_child().type() == pugi::node_element)
            inner = inner.first_child();
        QCOMPARE(qv::xmlText(inner), QString::fromLatin1(text));
    }

    void depthLimitIsInclusive() {
        QString error;
        const std::unique_ptr<qv::XmlDocument> doc = qv::parseXml(nested(256), &error);
        QVERIFY2(doc, qPrintable(error));
        int depth = 1;
        for (pugi::xml_node e = doc->top(); e.first_child(); e = e.first_child())
            ++depth;
        QCOMPARE(depth, 256);
    }
};

QTEST_GUILESS_MAIN(XmlDocumentTest)
#include "test_XmlDocument.moc"
