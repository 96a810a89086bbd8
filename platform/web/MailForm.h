#pragma once

#include <QUrl>

// The mail a mailto address may start: the addresses to write to and, of all
// the fields such an address can carry, only the subject, the body and the
// copy addresses. Every other field is dropped (above all attach and
// attachment, which some mail programs take as files to send along). Gives an
// empty URL when the address names no one to write to: each address must
// hold an "@", and nothing that could change the address's meaning (spaces,
// quotes, angle brackets, "?", "&", "#" or control characters) once a mail
// program has decoded it. Invisible format characters are taken out of the
// addresses and the subject, and control characters out of the subject; only
// the body keeps its line breaks, encoded.
QUrl mailFormOf(const QUrl& mailto);
