// SPDX-License-Identifier: GPL-3.0-or-later
#include "letter/composer.h"

#include "letter/corpus.h"
#include "runtime/application.h"
#include "runtime/clock.h"

namespace letter {
Picks drawPicks(RandomGenerator& generator, std::int32_t& openingPickMemory,
                const std::function<std::uint32_t()>& readTick) {
    const auto signedTick = [&] { return static_cast<std::int32_t>(readTick()); };
    Picks picks;

    generator.seed(static_cast<std::uint32_t>(signedTick()));
    picks.opening = generator.draw(poolSize(1));
    if (picks.opening == openingPickMemory) {
        picks.opening = generator.draw(poolSize(1));
        openingPickMemory = 0;
    } else {
        openingPickMemory = picks.opening;
    }

    generator.seed(static_cast<std::uint32_t>(2 * static_cast<std::int64_t>(signedTick())));
    picks.body = generator.draw(poolSize(2));

    generator.seed(static_cast<std::uint32_t>(signedTick() / 2));
    picks.resolve = generator.draw(poolSize(3));

    const std::int64_t t4 = signedTick();
    const std::int64_t t5 = signedTick();
    generator.seed(static_cast<std::uint32_t>(t4 + t5 + 2));
    picks.closing = generator.draw(poolSize(4));
    return picks;
}

rt::Text letterDate(const rt::DateTime& now) {
    const rt::Text formatted = rt::dateTimeToText(now);
    return rt::left(formatted, rt::find(formatted, frame().dateMarker) + 1);
}

rt::Text composeLetter(const rt::Text& salutation, const Picks& picks, const rt::Text& name, const rt::Text& date) {
    const FrameTexts& f = frame();
    const rt::Text* parts[] = {&f.titleLine, &salutation, &entry(1, picks.opening), &entry(2, picks.body),
                               &entry(3, picks.resolve), &entry(4, picks.closing), &f.signatureLead, &name,
                               &f.lineEnd, &f.dateLead, &date, &f.lineEnd, &f.closingLine, &f.saluteLine};
    std::size_t size = 0;
    for (const rt::Text* part : parts) size += part->size();
    std::string bytes;
    bytes.reserve(size);
    for (const rt::Text* part : parts) bytes += part->bytes();
    return rt::Text::adopt(std::move(bytes));
}

rt::Text countCaption(std::int64_t letterBytes) {
    return frame().countLead + rt::numberToText(static_cast<double>(letterBytes) / 2) + frame().countTail;
}

void LetterComposer::Generate() {
    const ComposerMessages& messages = composerMessages();
    const rt::Text name = nameBox_.text();
    switch (checkName(name, forbiddenCharsBox_.text())) {
        case NameVerdict::Missing:
            rt::messageBox(messages.nameMissing, messages.noticeTitle);
            return;
        case NameVerdict::LetterOrDigitAtEnd:
            rt::messageBox(messages.nameChars, messages.realNameTitle);
            return;
        case NameVerdict::TooShort:
            rt::messageBox(messages.nameShort, messages.realNameTitle);
            return;
        case NameVerdict::InvisibleCharacter:
            rt::messageBox(messages.nameInvisible, messages.realNameTitle);
            return;
        case NameVerdict::Accepted:
            break;
    }
    const Picks picks = drawPicks(generator_, openingPickMemory_, rt::tickCount);
    const rt::Text letter = composeLetter(salutation_, picks, name, letterDate(rt::currentDateTime()));
    // Setting the whole letter at once is what clearing the box and appending
    // the parts in order comes to, with the caret at the end and the last
    // lines in view; the box then holds exactly the letter's bytes.
    letterBox_.setText(letter);
    letterBox_.moveCaretToEnd();
    countLabel_.setCaption(countCaption(rt::length(letter)));
}

}  // namespace letter
