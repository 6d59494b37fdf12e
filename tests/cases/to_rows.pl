#!/usr/bin/perl
# The case table for a database: decodes its escapes and writes each row as
# PostgreSQL COPY text (--copy) or as an SQL INSERT into cases (--sql), with
# its line number first. Text that SQL cannot hold (a zero character, an
# unpaired surrogate) skips the row; the count goes to standard error.
#   to_rows.pl --copy|--sql cases.tsv > rows
use strict;
use warnings;
use FindBin;
use lib $FindBin::Bin;
use CaseTable qw(read_rows);
use open qw(:std :encoding(UTF-8));

my ($mode, $path) = @ARGV;
die "usage: $0 --copy|--sql FILE\n" unless @ARGV == 2 && ($mode eq '--copy' || $mode eq '--sql');
my ($nul, $surrogate) = (0, 0);
for my $row (read_rows($path)) {
  my ($line, @row) = @$row;
  my $text = join '', @row;
  if ($text =~ /\0/) { $nul++; next; }
  if ($text =~ /[\x{D800}-\x{DFFF}]/) { $surrogate++; next; }
  if ($mode eq '--copy') {
    for (@row) { s/\\/\\\\/g; s/\t/\\t/g; s/\n/\\n/g; s/\r/\\r/g; }
    print join("\t", $line, @row), "\n";
  } else {
    print "INSERT INTO cases VALUES ($line, ", join(', ', map { "'" . s/'/''/gr . "'" } @row), ");\n";
  }
}
printf STDERR "case table: %d rows skipped (text SQL cannot hold: %d with a zero character, %d with an unpaired surrogate)\n",
  $nul + $surrogate, $nul, $surrogate;
