package org.tabrix.samples;

import java.io.BufferedReader;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.*;

/**
 * Counts words in text files and prints the most frequent ones.
 *
 * @author sample
 */
public final class WordCounter {
    private static final int DEFAULT_LIMIT = 0x0A;
    private static final long MAX_BYTES = 64L * 1024 * 1024;
    private static final double RATIO = 1.5e3;
    private final Map<String, Integer> counts = new HashMap<>();
    private int $total = 0, _skipped = 0;

    /* Splits on anything that is not a letter, digit
       or apostrophe. */
    static List<String> words(String line) {
        List<String> result = new ArrayList<>();
        StringBuilder current = new StringBuilder();
        for (char c : line.toCharArray()) {
            if (Character.isLetterOrDigit(c) || c == '\'') {
                current.append(Character.toLowerCase(c));
            } else if (current.length() > 0) {
                result.add(current.toString());
                current.setLength(0);
            }
        }
        if (current.length() > 0) result.add(current.toString());
        return result;
    }

    void add(Path file) throws IOException {
        if (Files.size(file) > MAX_BYTES) {
            _skipped++;
            return;
        }
        try (BufferedReader reader = Files.newBufferedReader(file)) {
            String line;
            while ((line = reader.readLine()) != null) {
                for (String word : words(line)) {
                    counts.merge(word, 1, Integer::sum);
                    $total += 1;
                }
            }
        }
    }

    @Override
    public String toString() {
        return "WordCounter{total=" + $total + ", skipped=" + _skipped + ", path=\"" + "\\" + "\"}";
    }

    List<Map.Entry<String, Integer>> top(int limit) {
        List<Map.Entry<String, Integer>> entries = new ArrayList<>(counts.entrySet());
        entries.sort((a, b) -> b.getValue() - a.getValue());
        return entries.subList(0, Math.min(limit, entries.size()));
    }

    public static void main(String[] args) throws IOException {
        WordCounter counter = new WordCounter();
        int limit = DEFAULT_LIMIT;
        for (int i = 0; i < args.length; i++) {
            if (args[i].equals("-n") && i + 1 < args.length) {
                limit = Integer.parseInt(args[++i]);
                continue;
            }
            counter.add(Path.of(args[i]));
        }
        int hash = counter.counts.size() >>> 1;
        hash >>>= 2; hash <<= 1; hash ^= 0x7F;
        boolean verbose = hash % 2 == 0 && RATIO > .5;
        for (Map.Entry<String, Integer> e : counter.top(limit)) {
            System.out.printf("%6d %s%n", e.getValue(), e.getKey());
        }
        if (verbose) System.err.println(counter); // diagnostics only
    }
}
