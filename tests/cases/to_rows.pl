#!/usr/bin/perl
# The case table for a database: decodes its escapes and writes each row as
# PostgreSQL COPY text (--copy) or as an SQL INSERT into cases (--sql), with
# its line number first. Text that SQL cannot hold (a zero character, an
# unpaired surrogate) skips the row; the count goes to standard error.
#   to_rows.pl --copy|--sql cases.tsv > rows
use strict;
use warnings;
use open qw(:std :encoding(UTF-8));

my $mode = shift // '';
die "usage: $0 --copy|--sql FILE\n" unless $mode eq '--copy' || $mode eq '--sql';
my %escape = ('\\' => "\\", t => "\t", n => "\n", r => "\r", 0 => "\0");
my $skipped = 0;

sub decode_field {
  my ($s) = @_;
  $s =~ s/\\(u[0-9A-Fa-f]{4}|.)/length $1 == 5 ? chr hex substr $1, 1 : $escape{$1} \/\/ die "bad escape \\$1\n"/ge;
  return $s;
}

while (my $line = <>) {
  chomp $line;
  next if $line =~ /^(#|$)/;
  my @f = split /\t/, $line, -1;
  die "line $.: 6 fields wanted\n" unless @f == 6;
  my @row = map { decode_field($_) } @f[0 .. 4];
  if (grep { /[\0\x{D800}-\x{DFFF}]/ } @row) {
    $skipped++;
    next;
  }
  if ($mode eq '--copy') {
    for (@row) { s/\\/\\\\/g; s/\t/\\t/g; s/\n/\\n/g; s/\r/\\r/g; }
    print join("\t", $., @row), "\n";
  } else {
    print "INSERT INTO cases VALUES ($., ", join(', ', map { "'" . s/'/''/gr . "'" } @row), ");\n";
  }
}
print STDERR "case table: $skipped rows skipped (text SQL cannot hold)\n";
